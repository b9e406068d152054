// Building the sign-in dialog; the checking itself is SignInAttempts.
#include "login_dialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/user_directory.h"
#include "register_users.h"

LoginDialog::LoginDialog(const LoginConfig& config, const QString& delaysFile, const QString& appCode,
                         QWidget* parent)
    : QDialog(parent),
      attempts_(config, delaysFile),
      login_(new QLineEdit(this)),
      password_(new QLineEdit(this)),
      error_(new QLabel(this)) {
  setWindowTitle(QStringLiteral("Вход в %1").arg(appCode.isEmpty() ? QStringLiteral("програмата") : appCode));
  password_->setEchoMode(QLineEdit::Password);
  login_->setMaxLength(kMaxLoginLength);
  error_->setObjectName(QStringLiteral("SignInError"));
  error_->setStyleSheet(QStringLiteral("color: #b00020;"));
  error_->setWordWrap(true);
  error_->hide();

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Потребител:"), login_);
  form->addRow(QStringLiteral("Парола:"), password_);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton(QStringLiteral("Вход"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QStringLiteral("Отказ"), QDialogButtonBox::RejectRole);
  ok->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &LoginDialog::TrySignIn);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(error_);
  layout->addWidget(buttons);
  setMinimumWidth(340);
  // The last user of this account signs in again most often: their name is filled in.
  login_->setText(LastUserLogin());
  if (login_->text().isEmpty())
    login_->setFocus();
  else
    password_->setFocus();
}

QString LoginDialog::ErrorText() const { return error_->isHidden() ? QString() : error_->text(); }

void LoginDialog::TrySignIn() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  SignInAttempts::Outcome outcome;
  try {
    outcome = attempts_.Try(login_->text(), password_->text());
  } catch (const std::exception& error) {
    // The check could not be made (a server out of reach, a damaged register): the clerk reads
    // why, the password stays typed for the next try, and no try is used up.
    QApplication::restoreOverrideCursor();
    ShowError(LoginErrorText(error));
    return;
  }
  QApplication::restoreOverrideCursor();
  password_->clear();
  switch (outcome) {
    case SignInAttempts::Outcome::Accepted:
      accept();
      return;
    case SignInAttempts::Outcome::Exhausted:
      reject();
      return;
    case SignInAttempts::Outcome::Waiting:
      ShowError(TooManyAttemptsText(attempts_.SecondsToWait(login_->text())));
      return;
    case SignInAttempts::Outcome::Refused: {
      QString text =
          QStringLiteral("Грешно потребителско име или парола. Остават още %1 опита.").arg(attempts_.Remaining());
      // The wait that the next try will meet is told now, not after it.
      if (const int wait = attempts_.SecondsToWait(login_->text()); wait > 0)
        text += u'\n' + TooManyAttemptsText(wait);
      ShowError(text);
      return;
    }
  }
}

void LoginDialog::ShowError(const QString& text) {
  error_->setText(text);
  error_->show();
  // The window grows by the message's lines instead of squeezing the fields.
  layout()->activate();
  resize(width(), qMax(height(), layout()->totalHeightForWidth(width())));
  password_->setFocus();
}
