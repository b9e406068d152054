// The reference login library's password-change dialog: the old password and the new one twice.
#pragma once

#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;

class ChangePasswordDialog : public QDialog {
 public:
  // `change` gets the old and the new password and gives an error text, or an empty text.
  using Change = std::function<QString(const QString& oldPassword, const QString& newPassword)>;
  ChangePasswordDialog(const QString& title, const QString& login, Change change, QWidget* parent = nullptr);

  QLineEdit* Field(int index) const { return fields_[index]; }  // old, new, new again
  QString ErrorText() const;
  // The "Запис" button's action.
  void TryChange();

 private:
  Change change_;
  QLineEdit* fields_[3];
  QLabel* error_;
};
