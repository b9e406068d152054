// The export dialog "Избор на колони за запис": which columns of a grid go out and in which
// order, the title and footer, the format and its options, and the saved views. Thin: the
// column list, the views and the writing live in widget-free logic.
#pragma once

#include <QDialog>
#include <QListWidget>
#include <memory>
#include <vector>

#include "reports/export_columns.h"
#include "reports/save_rep_view.h"
#include "reports/ui/save_rep_export.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTableView;
class QToolButton;
class ExportSource;
class TDataModule1;

// The tick list whose entries are reordered by dragging: a drop reports the dragged entry and
// the entry under the mouse (-1 below the last entry) and leaves the moving to its owner.
class ColumnListWidget : public QListWidget {
  Q_OBJECT
 public:
  explicit ColumnListWidget(QWidget* parent = nullptr);
  // The row a drop at `position` (viewport coordinates) lands on; -1 below the last entry.
  int DropRow(const QPoint& position) const;

 signals:
  void EntryDropped(int from, int to);

 protected:
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
};

class TfrmSaveRep : public QDialog {
  Q_OBJECT
 public:
  // `totals`: cells each ended by ";" (empty: none). `viewsFile` empty: no saved views.
  TfrmSaveRep(ExportSource& source, const QString& title, const QString& footer, const QString& totals,
              const QString& viewsFile, const QString& userName, QWidget* parent = nullptr);
  ~TfrmSaveRep() override;

  void SelectAll_SBClick();
  void DeselectAll_SBClick();
  void InvertSel_SBClick();
  void CLBDragDrop(int from, int to);
  void DocTypeRBClick();
  void Save_SBClick();
  void cbSavedViewsChange();
  void NewView_SBClick();
  void SaveView_SBClick();
  void EraseView_SBClick();

  // The column list as plain values, and back.
  std::vector<ExportColumn> Columns() const;
  void SetColumns(const std::vector<ExportColumn>& columns);
  const QStringList& Totals() const { return totals_; }
  ExportFormat Format() const;
  ExportChoice Choice() const;
  // The saved views' key of this dialog's grid and user.
  QString ViewKey() const;
  const TSaveRepViewSettings& ViewStore() const { return views_; }

 private:
  void BuildControls();
  void FillViewList(int chooseId);
  int ChosenViewId() const;

  ExportSource& source_;
  QStringList totals_;
  TSaveRepViewSettings views_;
  bool viewsAvailable_ = false;
  QPushButton* SelectAll_SB = nullptr;
  QPushButton* DeselectAll_SB = nullptr;
  QPushButton* InvertSel_SB = nullptr;
  QPushButton* Quit_SB = nullptr;
  QLabel* Label1 = nullptr;
  QComboBox* cbSavedViews = nullptr;
  QToolButton* NewView_SB = nullptr;
  QToolButton* SaveView_SB = nullptr;
  QToolButton* EraseView_SB = nullptr;
  QPlainTextEdit* Memo1 = nullptr;
  QTabWidget* pcColList = nullptr;
  QWidget* tsMasterColList = nullptr;
  ColumnListWidget* CLB = nullptr;
  QPlainTextEdit* Footer_M = nullptr;
  QRadioButton* MSWord_RB = nullptr;
  QRadioButton* MSExcel_RB = nullptr;
  QRadioButton* rbTextFile = nullptr;
  QLabel* Delim_L = nullptr;
  QLineEdit* Delim_ed = nullptr;
  QLabel* Layout_L = nullptr;
  QComboBox* Layout_CB = nullptr;
  QLabel* Font_L = nullptr;
  QComboBox* Font_CB = nullptr;
  QPushButton* Save_SB = nullptr;
  QProgressBar* FillProgress = nullptr;
};

// Creates the dialog over the source, shows it modally and destroys it; an error while
// creating or filling it is swallowed.
void ShowExportDialog(ExportSource& source, const QString& title, const QString& footer, const QString& totals,
                      const QString& viewsFile, const QString& userName, QWidget* parent);

class ListExportSource;
class RegisterTabs;
// The register list as the grid shows it: its columns in display order, hidden ones left out;
// on the ranked list the row-number column is the place column, offered ticked.
std::unique_ptr<ListExportSource> RegisterGridSource(QTableView& grid, TDataModule1& data, bool rankedList = false);

// The export dialog over the register list, not yet shown; the source lives as long as the
// dialog (declared first, destroyed last).
struct RegisterExportDialog {
  std::unique_ptr<ListExportSource> source;
  std::unique_ptr<TfrmSaveRep> dialog;
};
// The main window's "Експорт" as the list stands: the register grid as it is shown, the title
// "Списък на картотеката - " with today's date (on the ranking tab the annual list's title and
// its place column "№" ticked), no footer and no totals; the views of the signed-in user in
// the user's folder.
RegisterExportDialog MakeRegisterExportDialog(QWidget* parent, QTableView& grid, TDataModule1& data,
                                              const RegisterTabs& tabs);
// Makes that dialog and shows it modally; an error while making it is swallowed.
void ExportRegisterList(QWidget* parent, QTableView& grid, TDataModule1& data, const RegisterTabs& tabs);
