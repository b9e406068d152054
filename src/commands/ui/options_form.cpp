// The settings window and its command.
#include "commands/ui/options_form.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>

#include "ui/field_label.h"

TOptionsForm::TOptionsForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TOptionsForm"));
  setWindowTitle(QStringLiteral("Настройки"));

  auto* grid = new QGridLayout;
  auto* sobLabel = new QLabel(QStringLiteral("&Община:"), this);
  edSob = new QLineEdit(this);
  edSob->setObjectName(QStringLiteral("edSob"));
  edSob->setMinimumWidth(260);
  edSob->setMaxLength(kMunicipalityLength);
  LabelField(sobLabel, edSob);

  auto* officeLabel = new QLabel(QStringLiteral("&Служба:"), this);
  edOffice = new QLineEdit(this);
  edOffice->setObjectName(QStringLiteral("edOffice"));
  edOffice->setMaxLength(nom_settings::kOfficeLength);
  edOffice->setMinimumWidth(380);  // room for the default office shown in it
  edOffice->setToolTip(QStringLiteral("Службата, която издава служебната бележка. Празно: службата при общината."));
  LabelField(officeLabel, edOffice);
  // Left empty, the note names the default office: the edit shows which one.
  auto showDefaultOffice = [this] { edOffice->setPlaceholderText(DefaultIssuingOffice(edSob->text())); };
  connect(edSob, &QLineEdit::textChanged, this, showDefaultOffice);
  showDefaultOffice();

  auto* paperLabel = new QLabel(QStringLiteral("&Хартия:"), this);
  cbPaper = new QComboBox(this);
  cbPaper->setObjectName(QStringLiteral("cbPaper"));
  cbPaper->addItem(QStringLiteral("A4"), QVariant::fromValue(static_cast<int>(NotePaper::A4)));
  cbPaper->addItem(QStringLiteral("Letter (САЩ)"), QVariant::fromValue(static_cast<int>(NotePaper::Letter)));
  cbPaper->setToolTip(QStringLiteral("Размерът на листа, на който се печата служебната бележка."));
  LabelField(paperLabel, cbPaper);

  auto* yearsLabel = new QLabel(
      QStringLiteral("Не можете да впишете картон в картотеката при регистрация на адрес по-малко от[&години]:"), this);
  yearsLabel->setWordWrap(true);
  DateNum = new QLineEdit(this);
  DateNum->setObjectName(QStringLiteral("DateNum"));
  DateNum->setMaximumWidth(70);
  LabelField(yearsLabel, DateNum);

  grid->addWidget(sobLabel, 0, 0);
  grid->addWidget(edSob, 0, 1);
  grid->addWidget(officeLabel, 1, 0);
  grid->addWidget(edOffice, 1, 1);
  grid->addWidget(paperLabel, 2, 0);
  grid->addWidget(cbPaper, 2, 1, Qt::AlignLeft | Qt::AlignVCenter);
  grid->addWidget(yearsLabel, 3, 0);
  grid->addWidget(DateNum, 3, 1, Qt::AlignLeft | Qt::AlignVCenter);
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
  edOffice->setText(values.office);
  cbPaper->setCurrentIndex(cbPaper->findData(static_cast<int>(values.paper)));
}

OptionsValues TOptionsForm::Values() const {
  return {edSob->text(), DateNum->text(), edOffice->text(), static_cast<NotePaper>(cbPaper->currentData().toInt())};
}

void TOptionsForm::SetSaver(std::function<bool(const OptionsValues&)> saver) { saver_ = std::move(saver); }

void TOptionsForm::accept() {
  if (saver_ && !saver_(Values())) return;
  QDialog::accept();
}

void TOptionsForm::SetEditable(bool editable) {
  edSob->setEnabled(editable);
  DateNum->setEnabled(editable);
  edOffice->setEnabled(editable);
  cbPaper->setEnabled(editable);
}

bool mOptionsClick(TDataModule1& data, int rightsLevel, QWidget* parent) {
  const bool mayChange = rightsLevel == 1;
  TOptionsForm form(parent);
  form.SetEditable(mayChange);
  form.SetValues(LoadOptions(data));
  if (mayChange) form.SetSaver([&](const OptionsValues& values) { return SaveOptions(data, values, &form); });
  return form.exec() == QDialog::Accepted && mayChange;
}
