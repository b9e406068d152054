// Building the password-change dialog; the change itself is ChangeLoginPassword.
#include "change_password_dialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

ChangePasswordDialog::ChangePasswordDialog(const QString& title, const QString& login, Change change, QWidget* parent)
    : QDialog(parent), change_(std::move(change)), error_(new QLabel(this)) {
  setWindowTitle(title.isEmpty() ? QStringLiteral("Промяна на паролата") : title);
  for (auto*& field : fields_) {
    field = new QLineEdit(this);
    field->setEchoMode(QLineEdit::Password);
  }
  error_->setStyleSheet(QStringLiteral("color: #b00020;"));
  error_->setWordWrap(true);
  error_->hide();

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Потребител:"), new QLabel(login, this));
  form->addRow(QStringLiteral("Стара парола:"), fields_[0]);
  form->addRow(QStringLiteral("Нова парола:"), fields_[1]);
  form->addRow(QStringLiteral("Повторете новата парола:"), fields_[2]);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton(QStringLiteral("Запис"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QStringLiteral("Отказ"), QDialogButtonBox::RejectRole);
  ok->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &ChangePasswordDialog::TryChange);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(error_);
  layout->addWidget(buttons);
  setMinimumWidth(380);
}

QString ChangePasswordDialog::ErrorText() const { return error_->isHidden() ? QString() : error_->text(); }

void ChangePasswordDialog::TryChange() {
  QString problem;
  if (fields_[1]->text() != fields_[2]->text()) problem = QStringLiteral("Новите пароли не съвпадат.");
  if (problem.isEmpty()) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    problem = change_(fields_[0]->text(), fields_[1]->text());
    QApplication::restoreOverrideCursor();
  }
  for (QLineEdit* field : fields_) field->clear();
  if (problem.isEmpty()) {
    accept();
    return;
  }
  error_->setText(problem);
  error_->show();
  fields_[0]->setFocus();
}
