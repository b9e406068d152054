// The household members part of the card window: the members grid with its counts and the
// member panel. The rules live in members.h; this class only moves values between them and
// the controls, which are its own: the card window works with it through its operations and
// plain values (MemberRow, MemberPanelValues).
#pragma once

#include <QWidget>
#include <vector>

#include "card/card_form.h"
#include "card/members.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QToolButton;
class TAODateTimePicker;
class TDataModule1;

class TMembersPage : public QWidget {
  Q_OBJECT
 public:
  explicit TMembersPage(QWidget* parent = nullptr);

  // The social-group list from the code list (each time the card window is shown).
  void FillSocialGroups(TDataModule1& data);
  // A new card: the placeholder row, counts "0", no modify or remove, role position 0.
  void ClearForNewCard();
  // An existing card: its stored members, the counts, modify and remove enabled, panel hidden.
  void LoadCard(TDataModule1& data, int cardId);
  // Where the duplicate-EGN and "?" look-ups go (nullptr: grid only, no look-up).
  void SetCardContext(TDataModule1* data, int cardId);

  // The member rows (empty while the grid holds only its placeholder row).
  std::vector<MemberRow> Rows() const { return rows_; }
  bool MembersEmpty() const { return membersEmpty_; }
  int CountMembers() const { return membersEmpty_ ? 0 : ::CountMembers(rows_); }
  int CountKidsUnder18() const { return ::CountKidsUnder18(rows_); }
  int CountKidsOver18() const { return ::CountKidsOver18(rows_); }

  // The selected member row, 1-based; 1 when nothing is selected.
  int SelectedRow() const;
  MemberPanelValues PanelValues() const;
  void SetPanelValues(const MemberPanelValues& panel);
  // The panel's name, personal number and notes; each box is set only when its text differs,
  // so an untouched box does not count as an edit.
  void SetPanelTexts(const QString& name, const QString& egn, const QString& notes);
  // The disability's "Валидно до" date (the card window sets it to now each time it is shown).
  void SetValidUntil(DateTimeValue value);

 signals:
  // A member command changed the household (add, modify, remove, new holder).
  void Modified();
  // "ЛБД" pressed with the panel's EGN.
  void LbdRequested(const QString& egn);

 private slots:
  // The handlers of the page's controls.
  void AddClick();
  void ModifyClick();
  void DeleteClick();
  void Button1Click();
  void FamilyListSelectCell(int row);  // 0-based grid row
  void ShowClick(bool down);
  void cbSocGrupaChange();
  void pojizClick();
  void ButtonFillPrsClick();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ForgetCurrentCell();
  void UpdateInvalidBox();
  void ClearMemberPanel();
  void FitColumns();
  void BuildControls();
  void ShowRows();
  void ShowCounts();
  void SetPanelVisible(bool visible);
  void ApplyAccepted(const MemberCommandResult& result);
  MemberCardContext Context() const { return {data_, cardId_}; }

  // The controls; each control's object name is its member's name (the members grid's group
  // box keeps the form's "GroupBox5"), so tests find them by it.
  QGroupBox* groupFamily = nullptr;  // "Членове на семейството"
  QTableWidget* FamilyList = nullptr;
  QLineEdit* FamilyCount = nullptr;
  QLineEdit* FamilyKids = nullptr;
  QPushButton* Button1 = nullptr;
  QToolButton* sbShowHide = nullptr;
  QGroupBox* gbFamilyMember = nullptr;
  QLineEdit* FirstName = nullptr;
  QComboBox* PersonType = nullptr;
  QLineEdit* PersonEGN = nullptr;
  QPushButton* ButtonFillPrs = nullptr;
  QPushButton* bLBD = nullptr;
  QComboBox* cbSocGrupa = nullptr;
  QLineEdit* PersonNotes = nullptr;
  QPushButton* Add = nullptr;
  QPushButton* Modify = nullptr;
  QPushButton* Delete = nullptr;
  QGroupBox* gbInvalid = nullptr;
  QLineEdit* proc_inv = nullptr;
  TAODateTimePicker* val_do = nullptr;
  QCheckBox* pojiz = nullptr;
  QLineEdit* re6_telk = nullptr;

  std::vector<MemberRow> rows_;
  bool membersEmpty_ = true;
  bool skipSelectFill_ = false;
  bool currentChangedByPress_ = false;  // the current cell changed since the last mouse press
  TDataModule1* data_ = nullptr;
  int cardId_ = 0;
};
