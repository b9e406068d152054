#include "lbd/ui/lbd_names_form.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/error_display.h"
#include "core/messages.h"
#include "lbd/person_info.h"
#include "ui/field_label.h"
#include "ui/status_form.h"

TLbdNamesForm::TLbdNamesForm(TDataModule1& data, QWidget* parent) : QDialog(parent), data_(data) {
  setObjectName(QStringLiteral("LbdNamesForm"));
  setWindowTitle(QStringLiteral("Имена от Локална База Данни Население"));
  setSizeGripEnabled(true);
  setMinimumSize(338, 136);
  resize(760, 420);

  auto* layout = new QHBoxLayout(this);
  slNames = new QTableWidget(1, 4, this);
  slNames->setObjectName(QStringLiteral("slNames"));
  NameControl(slNames, QStringLiteral("Имена от ЛБД"));
  slNames->setHorizontalHeaderLabels(
      {QStringLiteral("#"), QStringLiteral("ЕГН"), QStringLiteral("Име от базата дани"), QStringLiteral("Име от ЛБД")});
  slNames->verticalHeader()->hide();
  slNames->setSelectionBehavior(QAbstractItemView::SelectRows);
  slNames->setSelectionMode(QAbstractItemView::SingleSelection);
  slNames->setEditTriggers(QAbstractItemView::NoEditTriggers);
  // The number and the personal number take their texts' width, the two names share the rest.
  slNames->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  slNames->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
  slNames->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
  slNames->horizontalHeader()->setSectionResizeMode(3, QHeaderView::Stretch);
  layout->addWidget(slNames, 1);

  auto* panel = new QVBoxLayout;
  bSave = new QPushButton(QStringLiteral("Запис"), this);
  bSave->setObjectName(QStringLiteral("bSave"));
  bExit = new QPushButton(QStringLiteral("Изход"), this);
  bExit->setObjectName(QStringLiteral("bExit"));
  Label1 = new QLabel(QStringLiteral("Натиснете два пъти с\nмишката върху име от\nсписъка или натиснете\n'запис' за да смените\n"
                                     "името от базата данни\nна програмата с това\nот локална база насе-\nление"),
                      this);
  Label1->setObjectName(QStringLiteral("Label1"));
  panel->addWidget(bSave);
  panel->addWidget(bExit);
  panel->addWidget(Label1);
  panel->addStretch();
  layout->addLayout(panel);

  connect(bSave, &QPushButton::clicked, this, &TLbdNamesForm::bSaveClick);
  connect(bExit, &QPushButton::clicked, this, &QDialog::accept);  // bExit
  connect(slNames, &QTableWidget::cellDoubleClicked, this, &TLbdNamesForm::bSaveClick);

  status_ = new TStatusForm(this);
  ClearGrid();
}

void TLbdNamesForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  BuildList();
}

void TLbdNamesForm::ClearGrid() {
  slNames->setRowCount(1);
  slNames->setItem(0, 0, new QTableWidgetItem(QStringLiteral("1")));
  for (int c = 1; c < 4; ++c) slNames->setItem(0, c, new QTableWidgetItem(QString()));
  bSave->setEnabled(false);
}

void TLbdNamesForm::BuildList() {
  ClearGrid();
  rows_.clear();
  try {
    TPersonInfo person;
    status_->Begin(QStringLiteral("Сравняване с ЛБД"), this, TStatusForm::kWideWidth);
    rows_ = FindDifferingNames(data_, person, [this](int k, int n) { status_->Step(k, n); });
    status_->End();
  } catch (const std::exception& error) {
    status_->End();
    rows_.clear();
    ShowErrorDisplay(this, error);
    return;
  }
  if (rows_.empty()) {
    ShowMessage(this, QStringLiteral("Не са намерени никакви съвпадащи ЕГН-та с различаващи се имена от ЛБД"),
                QStringLiteral("Греша"), MessageIcon::Error);
    return;
  }
  slNames->setRowCount(static_cast<int>(rows_.size()));
  for (int r = 0; r < static_cast<int>(rows_.size()); ++r) {
    const LbdNameRow& row = rows_[r];
    const QString cells[] = {QString::number(r + 1), row.egn, row.storedName, row.lbdName};
    for (int c = 0; c < 4; ++c) slNames->setItem(r, c, new QTableWidgetItem(cells[c]));
  }
  slNames->setCurrentCell(0, 0);
  bSave->setEnabled(true);
}

void TLbdNamesForm::SaveSelected() {
  const int r = slNames->currentRow();
  if (r < 0 || r >= static_cast<int>(rows_.size())) return;
  TPersonInfo person;
  const LbdNameSave outcome = SaveLbdName(data_, person, rows_[r]);
  if (outcome == LbdNameSave::Saved)
    ShowMessage(this, LbdNameSaveMessage(outcome), QStringLiteral("Потвърждение"));
  else
    ShowMessage(this, LbdNameSaveMessage(outcome), QStringLiteral("Грешка"), MessageIcon::Error);
}

void TLbdNamesForm::bSaveClick() {
  if (bSave->isEnabled()) {
    try {
      SaveSelected();
    } catch (const std::exception& error) {
      ShowErrorDisplay(this, error);
    }
  }
  BuildList();
}
