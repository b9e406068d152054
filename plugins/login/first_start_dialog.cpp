// Building the first-start dialog; the creating itself is CreateFirstAdministrator.
#include "first_start_dialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
enum { kMunicipality, kLogin, kFullName, kPassword, kAgain };
}

FirstStartDialog::FirstStartDialog(const QString& registerPath, bool registerExists, Create create, QWidget* parent)
    : QDialog(parent), create_(std::move(create)), error_(new QLabel(this)) {
  setWindowTitle(QStringLiteral("Първоначална настройка"));
  for (auto*& field : fields_) field = new QLineEdit(this);
  fields_[kMunicipality]->setMaxLength(50);
  fields_[kLogin]->setMaxLength(kMaxLoginLength);
  fields_[kFullName]->setMaxLength(kMaxFullNameLength);
  fields_[kPassword]->setEchoMode(QLineEdit::Password);
  fields_[kAgain]->setEchoMode(QLineEdit::Password);
  fields_[kMunicipality]->setPlaceholderText(QStringLiteral("например Община Пловдив"));
  fields_[kMunicipality]->setEnabled(!registerExists);

  auto* intro =
      new QLabel(QStringLiteral("Все още няма потребители. Въведете първия администратор%1.\nРегистър: %2%3")
                     .arg(registerExists ? QString() : QStringLiteral(" и общината, за която ще се създаде регистърът"),
                          registerPath, registerExists ? QStringLiteral(" (съществува)") : QString()),
                 this);
  intro->setWordWrap(true);
  error_->setStyleSheet(QStringLiteral("color: #b00020;"));
  error_->setWordWrap(true);
  error_->hide();

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Община:"), fields_[kMunicipality]);
  form->addRow(QStringLiteral("Потребителско име:"), fields_[kLogin]);
  form->addRow(QStringLiteral("Пълно име:"), fields_[kFullName]);
  form->addRow(QStringLiteral("Парола:"), fields_[kPassword]);
  form->addRow(QStringLiteral("Повторете паролата:"), fields_[kAgain]);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton(QStringLiteral("Създай"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QStringLiteral("Отказ"), QDialogButtonBox::RejectRole);
  ok->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &FirstStartDialog::TryCreate);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(intro);
  layout->addLayout(form);
  layout->addWidget(error_);
  layout->addWidget(buttons);
  setMinimumWidth(460);
}

FirstAdministrator FirstStartDialog::Administrator() const {
  return {fields_[kMunicipality]->text().trimmed(), fields_[kLogin]->text().trimmed(),
          fields_[kFullName]->text().trimmed(), fields_[kPassword]->text()};
}

QString FirstStartDialog::ErrorText() const { return error_->isHidden() ? QString() : error_->text(); }

void FirstStartDialog::TryCreate() {
  QString problem;
  if (fields_[kPassword]->text() != fields_[kAgain]->text()) problem = QStringLiteral("Паролите не съвпадат.");
  if (problem.isEmpty()) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    problem = create_(Administrator());
    QApplication::restoreOverrideCursor();
  }
  if (problem.isEmpty()) {
    accept();
    return;
  }
  error_->setText(problem);
  error_->show();
}
