// The settings window and its command.
#include "commands/ui/options_form.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>

TOptionsForm::TOptionsForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TOptionsForm"));
  setWindowTitle(QStringLiteral("Настройки"));

  auto* grid = new QGridLayout;
  auto* sobLabel = new QLabel(QStringLiteral("Община:"), this);
  edSob = new QLineEdit(this);
  edSob->setObjectName(QStringLiteral("edSob"));
  edSob->setMinimumWidth(260);
  edSob->setMaxLength(kMunicipalityLength);
  sobLabel->setBuddy(edSob);

  auto* yearsLabel = new QLabel(
      QStringLiteral("Не можете да впишете картон в картотеката при регистрация на адрес по-малко от[години]:"), this);
  yearsLabel->setWordWrap(true);
  DateNum = new QLineEdit(this);
  DateNum->setObjectName(QStringLiteral("DateNum"));
  DateNum->setMaximumWidth(70);
  yearsLabel->setBuddy(DateNum);

  grid->addWidget(sobLabel, 0, 0);
  grid->addWidget(edSob, 0, 1);
  grid->addWidget(yearsLabel, 1, 0);
  grid->addWidget(DateNum, 1, 1, Qt::AlignLeft | Qt::AlignVCenter);
  yearsLabel->setFixedWidth(300);
  grid->setColumnStretch(1, 1);
  grid->setHorizontalSpacing(12);
  grid->setVerticalSpacing(10);

  auto* buttons = new QDialogButtonBox(this);
  btnOk = buttons->addButton(QStringLiteral("ОК"), QDialogButtonBox::AcceptRole);
  btnOk->setObjectName(QStringLiteral("btnOk"));
  btnOk->setDefault(true);
  btnCancel = buttons->addButton(QStringLiteral("Отказ"), QDialogButtonBox::RejectRole);
  btnCancel->setObjectName(QStringLiteral("btnCancel"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addSpacing(6);
  layout->addWidget(buttons);
  setSizeGripEnabled(false);
}

void TOptionsForm::SetValues(const OptionsValues& values) {
  edSob->setText(values.municipality);
  DateNum->setText(values.minimumYears);
}

OptionsValues TOptionsForm::Values() const { return {edSob->text(), DateNum->text()}; }

void TOptionsForm::SetSaver(std::function<bool(const OptionsValues&)> saver) { saver_ = std::move(saver); }

void TOptionsForm::accept() {
  if (saver_ && !saver_(Values())) return;
  QDialog::accept();
}

void TOptionsForm::SetEditable(bool editable) {
  edSob->setEnabled(editable);
  DateNum->setEnabled(editable);
}

bool mOptionsClick(TDataModule1& data, int rightsLevel, QWidget* parent) {
  const bool mayChange = rightsLevel == 1;
  TOptionsForm form(parent);
  form.SetEditable(mayChange);
  form.SetValues(LoadOptions(data));
  if (mayChange) form.SetSaver([&](const OptionsValues& values) { return SaveOptions(data, values, &form); });
  return form.exec() == QDialog::Accepted && mayChange;
}
