// The search panel of the main window: twenty criteria, each switched on by its own box,
// the rules that tick, colour and filter them, and the request to search.
#pragma once

#include <QWidget>
#include <array>
#include <vector>

#include "search/search_condition.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLineEdit;
class QPushButton;
class TAODateTimePicker;
class TDataModule1;

class TSearchPanel : public QWidget {
  Q_OBJECT

 public:
  explicit TSearchPanel(QWidget* parent = nullptr);

  // Fills each list with the names of its code list in code order (codes 0..9, missing ones
  // skipped); afterwards no entry is chosen. Ticks nothing.
  void FillLists(TDataModule1& data);
  // The four date fields to today's date. Ticks nothing.
  void SetDatesToday();
  // The ticks and contents of every criterion.
  SearchCriteria Criteria() const;

 signals:
  // The button, or Enter in one of the controls that search on Enter.
  void SearchRequested();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  enum class Filter { None, Digits, DigitsAndPoint };

  void CreateControls();
  void LayOut();
  void ConnectRules();
  // One row of the grid: box, label, first control and, for two-part criteria, a second label and control.
  void AddRow(QGridLayout* grid, int row, int column, int box, const QString& label, QWidget* first,
              const QString& secondLabel = {}, QWidget* second = nullptr);

  // Runs whenever a box's tick changes, by the user or by code.
  void CheckBoxClick(int box, bool ticked);
  void TickBox(int box);
  void TextEdited(int box, QLineEdit* edit, Filter filter);

  // Box 1..20.
  QCheckBox* Box(int number) const { return boxes_.at(number - 1); }

  // The criteria's boxes and controls (object names are the same).
  QCheckBox *CheckBox1, *CheckBox2, *CheckBox3, *CheckBox4, *CheckBox5, *CheckBox6, *CheckBox7, *CheckBox8,
      *CheckBox9, *CheckBox10, *CheckBox11, *CheckBox12, *CheckBox13, *CheckBox14, *CheckBox15, *CheckBox16,
      *CheckBox17, *CheckBox18, *CheckBox19, *CheckBox20;
  QLineEdit *sRegNum, *sVhNom, *sName, *sEGN, *sMemFrom, *sMemTo;
  TAODateTimePicker *sDateFrom, *sDateTo;
  QComboBox *sGroup, *sLData, *sStatus;
  TAODateTimePicker *dFrom, *dTo;
  QComboBox *sLReason, *sSocGrupa;
  QLineEdit *sNotes, *sMemNumbFrom, *sMemNumbTo;
  QComboBox* sNastVidApart;
  QLineEdit *sNastZap, *sNastBuy, *sHasFirm, *sTelkNum, *sIncFrom, *sIncTo, *sAgeOverFrom, *sAgeOverTo;
  QPushButton* sbSearch;
  std::array<QCheckBox*, SearchCriteria::kBoxCount> boxes_{};
  std::array<std::vector<QWidget*>, SearchCriteria::kBoxCount> controls_{};
  std::vector<QWidget*> tabChain_;
};
