#include "lbd/ui/lbd_form.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/field_label.h"

TLBDForm::TLBDForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("LBDForm"));
  setWindowTitle(QStringLiteral("Проверка в Локална База Данни"));
  auto* layout = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  layout->addLayout(grid);

  struct Row {
    const char* label;
    QLineEdit** edit;
    const char* editName;
    QCheckBox** tick;
    const char* tickName;
    bool ticked;
  };
  const Row rows[] = {
      {"Име:", &Name, "Name", &CB1, "CB1", true},
      {"ЕГН:", &EGN, "EGN", &CB2, "CB2", true},
      {"Постоянен адрес:", &Address1, "Address1", &CB3, "CB3", false},
      {"Адресна рег. от дата:", &AddrReg1, "AddrReg1", &CB4, "CB4", false},
      {"Настоящ адрес:", &Address2, "Address2", &CB5, "CB5", false},
      {"Адресна рег. от дата:", &AddrReg2, "AddrReg2", &CB6, "CB6", false},
      {"Данни за личната карта:", &IDInfo, "IDInfo", &CB7, "CB7", false},
  };
  int line = 0;
  for (const Row& row : rows) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::fromLatin1(row.editName));
    edit->setReadOnly(true);
    edit->setMinimumWidth(420);
    auto* tick = new QCheckBox(this);
    tick->setObjectName(QString::fromLatin1(row.tickName));
    tick->setChecked(row.ticked);
    *row.edit = edit;
    *row.tick = tick;
    auto* label = LabelField(new QLabel(QString::fromUtf8(row.label), this), edit);
    // The two registration dates are told apart by the address they belong to.
    if (line > 0 && label->text().startsWith(QStringLiteral("Адресна рег.")))
      NameControl(edit, AccessibleNameOf(QString::fromUtf8(rows[line - 1].label)) + QStringLiteral(", ") + label->text());
    // The tick decides whether the card takes that line.
    NameControl(tick, QStringLiteral("Попълване: ") + edit->accessibleName());
    grid->addWidget(label, line, 0);
    grid->addWidget(edit, line, 1);
    grid->addWidget(tick, line, 2);
    ++line;
  }
  // The looked-up number is always the member's own; its tick box is shown but does nothing.
  CB2->setEnabled(false);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  Button1 = new QPushButton(QStringLiteral("Попълване на избраните данни"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setDefault(true);
  Button2 = new QPushButton(QStringLiteral("Отказ"), this);
  Button2->setObjectName(QStringLiteral("Button2"));
  buttons->addWidget(Button1);
  buttons->addWidget(Button2);
  layout->addLayout(buttons);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
  connect(Button2, &QPushButton::clicked, this, &QDialog::reject);

  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TLBDForm::Fill(const LbdCheckValues& values) {
  Name->setText(values.name);
  EGN->setText(values.egn);
  Address1->setText(values.address1);
  AddrReg1->setText(values.addrReg1);
  Address2->setText(values.address2);
  AddrReg2->setText(values.addrReg2);
  IDInfo->setText(values.idInfo);
}

LbdCheckValues TLBDForm::Values() const {
  return {Name->text(), EGN->text(), Address1->text(), AddrReg1->text(), Address2->text(), AddrReg2->text(),
          IDInfo->text()};
}

LbdCopyTicks TLBDForm::Ticks() const {
  LbdCopyTicks ticks;
  ticks.name = CB1->isChecked();
  ticks.address1 = CB3->isChecked();
  ticks.addrReg1 = CB4->isChecked();
  ticks.address2 = CB5->isChecked();
  ticks.addrReg2 = CB6->isChecked();
  ticks.idInfo = CB7->isChecked();
  return ticks;
}
