// The sign-in dialog of the reference login library: user name and password, three tries.
#pragma once

#include <QDialog>
#include <optional>

#include "sign_in_attempts.h"

class QLabel;
class QLineEdit;

class LoginDialog : public QDialog {
 public:
  LoginDialog(const LoginConfig& config, const QString& appCode, QWidget* parent = nullptr);

  // The accepted user once the dialog closed with Accepted.
  const std::optional<LoginUser>& AcceptedUser() const { return attempts_.AcceptedUser(); }

  QLineEdit* LoginEdit() const { return login_; }
  QLineEdit* PasswordEdit() const { return password_; }
  QString ErrorText() const;
  // The "Вход" button's action.
  void TrySignIn();

 private:
  SignInAttempts attempts_;
  QLineEdit* login_;
  QLineEdit* password_;
  QLabel* error_;
};
