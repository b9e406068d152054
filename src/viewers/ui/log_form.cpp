#include "viewers/ui/log_form.h"

#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/date_time.h"
#include "core/error_display.h"
#include "ui/field_label.h"
#include "viewers/ui/memo_form.h"

namespace {
ActionTextShower& InstalledActionTextShower() {
  static ActionTextShower shower;
  return shower;
}

void ShowInTextWindow(QWidget* parent, const QString& text) {
  TfrmuMemo memo(text, parent);
  memo.exec();
}
}  // namespace

void SetActionTextShower(ActionTextShower shower) { InstalledActionTextShower() = std::move(shower); }

TLogF::TLogF(TDataModule1& data, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("LogF"));
  setWindowTitle(QStringLiteral("История на действията"));
  setSizeGripEnabled(true);
  resize(696, 480);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  DBGrid1 = new QTableWidget(0, 4, this);
  DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
  NameControl(DBGrid1, windowTitle());
  DBGrid1->setHorizontalHeaderLabels({QStringLiteral("Потребител"), QStringLiteral("Извършено действие"),
                                      QStringLiteral("Час/Дата на клиента"), QStringLiteral("Час/Дата на Сървъра")});
  DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  DBGrid1->setSelectionBehavior(QAbstractItemView::SelectItems);
  DBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
  DBGrid1->setWordWrap(false);
  layout->addWidget(DBGrid1);

  connect(DBGrid1, &QTableWidget::cellDoubleClicked, this, &TLogF::DBGrid1DblClick);

  rows_ = ReadActionHistory(data);
  DBGrid1->setRowCount(static_cast<int>(rows_.size()));
  for (int r = 0; r < static_cast<int>(rows_.size()); ++r) {
    const ActionHistoryRow& row = rows_[r];
    const QString cells[4] = {row.userName, ActionTextInList(row.text),
                              row.clientTime.isValid() ? FormatDateTimeDropMidnight(row.clientTime) : QString(),
                              row.serverTime.isValid() ? FormatDateTimeDropMidnight(row.serverTime) : QString()};
    for (int c = 0; c < 4; ++c) DBGrid1->setItem(r, c, new QTableWidgetItem(cells[c]));
  }
  FitColumns();
}

void TLogF::FitColumns() {
  // The user and the two times as wide as their longest text and their title, never cut; the
  // action takes the rest of the window's width and grows with it.
  for (int c : {0, 2, 3}) DBGrid1->resizeColumnToContents(c);
  DBGrid1->horizontalHeader()->setSectionResizeMode(kActionColumn, QHeaderView::Stretch);
}

void TLogF::DBGrid1DblClick(int row, int column) {
  if (column != kActionColumn || row < 0 || row >= static_cast<int>(rows_.size())) return;
  const ActionTextShower& shower = InstalledActionTextShower();
  if (shower)
    shower(this, rows_[row].text);
  else
    ShowInTextWindow(this, rows_[row].text);
}

void ShowActionHistory(TDataModule1& data, QWidget* parent) {
  try {
    TLogF viewer(data, parent);
    viewer.exec();
  } catch (const std::exception& error) {
    ShowErrorDisplay(parent, error);
  }
}
