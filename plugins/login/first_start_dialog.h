// The reference login library's first-start dialog: with no user configured yet it asks for
// the municipality (when the register must be made) and the first administrator.
#pragma once

#include <QDialog>
#include <functional>

#include "login_accounts.h"

class QLabel;
class QLineEdit;

class FirstStartDialog : public QDialog {
 public:
  // `create` does the work and gives an error text, or an empty text on success.
  using Create = std::function<QString(const FirstAdministrator&)>;
  FirstStartDialog(const QString& registerPath, bool registerExists, Create create, QWidget* parent = nullptr);

  FirstAdministrator Administrator() const;
  QLineEdit* Field(int index) const { return fields_[index]; }  // municipality, login, name, password, again
  QString ErrorText() const;
  // The "Създай" button's action.
  void TryCreate();

 private:
  Create create_;
  QLineEdit* fields_[5];
  QLabel* error_;
};
