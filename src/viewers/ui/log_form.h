// The action history viewer "История на действията": every INF_LOG record, read-only, the
// action text cut to 150 characters in the list and shown whole on a double-click.
#pragma once

#include <QDialog>
#include <functional>
#include <vector>

#include "viewers/log_form_rows.h"

class QTableWidget;
class TDataModule1;

class TLogF : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kActionColumn = 1;

  explicit TLogF(TDataModule1& data, QWidget* parent = nullptr);  // FormCreate: reads the history

  // A double-click on a cell: the whole action text when the cell is in the action column.
  void DBGrid1DblClick(int row, int column);

  const std::vector<ActionHistoryRow>& Rows() const { return rows_; }

 private:
  void FitColumns();
  std::vector<ActionHistoryRow> rows_;
  QTableWidget* DBGrid1 = nullptr;
};

// Shows an action's whole text over the viewer `parent`; the real one is a TfrmuMemo shown
// modally. Tests replace it to record the text; an empty function brings back the real one.
using ActionTextShower = std::function<void(QWidget* parent, const QString& text)>;
void SetActionTextShower(ActionTextShower shower);

// loginfClick: creates the viewer, shows it modally and destroys it.
void ShowActionHistory(TDataModule1& data, QWidget* parent);
