// The main window: the toolbar and menus, the search panel, the register grid with its tab
// strip and the status bar. Thin: what a command does lives in the logic it calls.
#pragma once

#include <QMainWindow>
#include <functional>

#include "register/register_tabs.h"
#include "session/login_record.h"

class QLabel;
class QMenu;
class QTabBar;
class QTableView;
class QToolButton;
class QAction;
class RegisterGridModel;
class TDataModule1;
class TSearchPanel;

// Windows other parts of the program open from the main window. An entry whose window is
// not set stays disabled.
struct MainFormWindows {
  std::function<void(QWidget* parent, int mode, bool canEdit)> showCard;  // card editor
  std::function<void(QWidget* parent)> ranking;
  std::function<void(QWidget* parent)> annualList;
  std::function<void(QWidget* parent)> exportList;
  std::function<void(QWidget* parent)> invalidEgn;
  std::function<void(QWidget* parent)> egnCorrection;  // returns through refresh
  std::function<void(QWidget* parent)> namesFromLbd;
  std::function<void(QWidget* parent)> serviceNote;
  std::function<void(QWidget* parent)> nomenclature;
  std::function<void(QWidget* parent)> actionHistory;
};

class TMainForm : public QMainWindow {
  Q_OBJECT
 public:
  TMainForm(TDataModule1& data, TLogInfoRec& record, MainFormWindows windows = {}, QWidget* parent = nullptr);
  ~TMainForm() override;

  // Opening the work: connect with the login record, open the register list, sign the user
  // in. False when the user is not known to the register (the program must end).
  bool FormShow();

  int RightsLevel = 0;
  RegisterTabs& Tabs() { return tabs_; }
  TSearchPanel& SearchPanel() { return *searchPanel_; }
  QTableView& Grid() { return *FamilyGrid; }
  QTabBar& TabStrip() { return *TabSet1; }
  QString StatusText(int panel) const;
  QMenu& StatusMenu() { return *pm_s; }

  // Commands (also reachable from the toolbar and menus).
  void tbRegisterClick();
  void FamilyGridDblClick();
  void tbRefreshClick();
  void SearchClick();
  void GetSTATUS();
  void DelClick();
  void tbExitClick();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The row-number column as wide as its largest number needs (row 1 000 and up would be cut).
  void FitRowNumberColumn();
  void BuildToolbar();
  void BuildMenus();
  void BuildCentre();
  void SyncTabStrip();
  void SyncSelectionFromList();
  void OpenOrCorrect();
  QAction* Command(const QString& text, const std::function<void()>& run, bool available = true);

  TDataModule1& data_;
  TLogInfoRec& record_;
  MainFormWindows windows_;
  RegisterTabs tabs_;
  RegisterGridModel* model_ = nullptr;
  TSearchPanel* searchPanel_ = nullptr;
  QTableView* FamilyGrid = nullptr;
  QTabBar* TabSet1 = nullptr;
  QLabel* statusPanel_[2] = {nullptr, nullptr};
  QMenu* pm_s = nullptr;
  QToolButton* tbSpravka = nullptr;
  bool syncing_ = false;
};
