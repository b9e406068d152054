// The sign-in dialog of the reference login library: user name and password, three tries, and
// a wait after several wrong passwords in a row (sign_in_delays.h).
#pragma once

#include <QDialog>
#include <optional>

#include "sign_in_attempts.h"

class QLabel;
class QLineEdit;

class LoginDialog : public QDialog {
 public:
  // `delaysFile` keeps the wrong passwords between runs (SignInDelays::FileBeside).
  LoginDialog(const LoginConfig& config, const QString& delaysFile, const QString& appCode,
              QWidget* parent = nullptr);

  // The accepted user once the dialog closed with Accepted.
  const std::optional<LoginUser>& AcceptedUser() const { return attempts_.AcceptedUser(); }

  QLineEdit* LoginEdit() const { return login_; }
  QLineEdit* PasswordEdit() const { return password_; }
  QString ErrorText() const;
  // The "Вход" button's action.
  void TrySignIn();

 private:
  void ShowError(const QString& text);

  SignInAttempts attempts_;
  QLineEdit* login_;
  QLineEdit* password_;
  QLabel* error_;
};
