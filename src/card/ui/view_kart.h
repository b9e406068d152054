// The card editor window: one registration card with its household, opened for a new card
// (mode 0) or for the register list's current card (mode 1). Created once and reused; the
// window only moves values between its controls and a CardForm, which loading, checking and
// saving work on. Its controls are its own: other code works with the card through the plain
// values it hands out and takes back (CardForm, LbdCardFields).
#pragma once

#include <QDialog>
#include <functional>

#include "card/card_form.h"
#include "card/view_kart_member_check.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QAction;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QToolButton;
class QWidget;
class TAODateTimePicker;
class TDataModule1;
class TMembersPage;

class TViewKart : public QDialog {
  Q_OBJECT
 public:
  explicit TViewKart(TDataModule1& data, QWidget* parent = nullptr);  // FormCreate

  // The entry point of the main window: sets the mode and the editing right and shows the
  // window modally.
  void ShowCard(int mode, bool canEdit);
  // Everything ShowCard does except waiting for the window to close; the window's own
  // showing then prepares and loads it (tests open it this way, offscreen).
  void PrepareShow(int mode, bool canEdit);

  // The controls copied into a plain value and back (members stay with the members page).
  CardForm ToForm() const;
  void FromForm(const CardForm& form);

  // The population-database check's part of the window: the member panel's personal number,
  // name and notes and the card's current address, its date and notes, as a plain value; and
  // the same shown again, each control set only when its value differs from what it shows, so
  // an untouched field does not count as an edit.
  LbdCardFields LbdFields() const;
  void SetLbdFields(const LbdCardFields& fields);

  int Mode() const { return mode_; }
  bool CanEdit() const { return canEdit_; }
  int CardId() const { return cardId_; }
  bool Modified() const { return modified_; }
  bool MembersEmpty() const;
  const RememberedCardState& RememberedState() const { return remembered_; }

  // The navigator's buttons, in order; each button's object name is the value's name.
  enum Navigate { nbFirst = 0, nbPrior, nbNext, nbLast };

 signals:
  // "Бланка": the card print of the card shown.
  void PrintCardRequested();
  // "ЛБД" in the member panel: the population-database check of the member shown there.
  void LbdCheckRequested();

 public slots:
  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private slots:
  // The handlers of the window's buttons.
  void OKClick();
  void CancelClick();
  void LoadClick();
  void sbPrintFormClick();
  void DBNavigator1Click(int button);  // one of the Navigate values

 private:
  // Steps of the window.
  void FormShow();
  void LoadCard();
  void RememberCardState();
  void FillFromNomenclature(QComboBox* list, const QString& column);

  void BuildControls();
  QWidget* BuildFamilyPage();
  QWidget* BuildAddressPage();
  QWidget* BuildNotesPage();
  QWidget* BuildPlacementPage();
  void BuildBottomRow(class QHBoxLayout* row);
  void ConnectChangeTracking();
  // Asks to save changes of an existing card; false when the save failed and the window stays.
  bool FormClose();
  // True when the card was saved; a failed save leaves the window as typed.
  bool SaveFromWindow();
  void EnsureRegisterListOpen();
  void UpdateNavigator();
  void SetNetIncomeLabels();
  // Runs a step that reads the database; an error goes to the error display.
  void Guarded(const std::function<void()>& step);
  void SetModified() { modified_ = true; }

  // The controls, named as the card's fields are known; each control's object name is its
  // member's name, so tests find them by it.
  QLineEdit* ebRegNum = nullptr;
  QPushButton* Load = nullptr;
  QLineEdit* doctxt = nullptr;
  TAODateTimePicker* AddDate = nullptr;
  QTabWidget* PageControl1 = nullptr;

  QComboBox* cbGroup = nullptr;
  TAODateTimePicker* dtGrupaDate = nullptr;
  QComboBox* cbsubGroup = nullptr;
  QComboBox* cbStatus = nullptr;
  QLineEdit* ebGot = nullptr;
  QLineEdit* pr = nullptr;
  TAODateTimePicker* protDate = nullptr;
  QLineEdit* dek_id = nullptr;
  TAODateTimePicker* dek_dat = nullptr;
  QComboBox* cbKart = nullptr;
  QCheckBox* HardLife = nullptr;
  QCheckBox* CheckBoxAloneParent = nullptr;
  QLabel* lbYearBezDeklr = nullptr;
  QLineEdit* edYearsNoDeclr = nullptr;

  QGroupBox* gbClassInfo = nullptr;  // "Информация за класиране"
  QMenu* PopupMenu1 = nullptr;
  QAction* N1 = nullptr;
  QLineEdit* edYear = nullptr;
  QLineEdit* edPoints = nullptr;
  QLineEdit* edPointsDescr = nullptr;

  TMembersPage* members = nullptr;

  TAODateTimePicker* dtAdress = nullptr;
  QLineEdit* ebAdress = nullptr;
  QComboBox* cbLData = nullptr;
  QLineEdit* ebLCond = nullptr;
  QComboBox* cbLReason = nullptr;
  QLineEdit* edReasonComment = nullptr;
  TAODateTimePicker* dtCheck = nullptr;
  QLineEdit* ebCheck = nullptr;

  QLabel* lbIncome = nullptr;
  QLineEdit* ebIncome = nullptr;
  QLabel* lbIncomeHalfYear = nullptr;
  QLineEdit* ebIncomeHalfYear = nullptr;
  QLineEdit* ebIncPerPerson = nullptr;
  QLineEdit* ebAssets = nullptr;
  QLineEdit* ebDeals = nullptr;
  QLineEdit* edHasFirm = nullptr;

  QPlainTextEdit* mNotes = nullptr;
  QPlainTextEdit* mSYSNotes = nullptr;

  QLineEdit* edNastZap = nullptr;
  TAODateTimePicker* dtNastZap = nullptr;
  QComboBox* cbNastVidApart = nullptr;
  QLineEdit* edNasAdrApart = nullptr;
  QComboBox* cbTerm = nullptr;
  QLineEdit* edIskaKupi = nullptr;
  QLineEdit* edZapOut = nullptr;
  QPlainTextEdit* mZapHistory = nullptr;

  QWidget* DBNavigator1 = nullptr;
  QToolButton* navButtons[4] = {};  // named "nbFirst", "nbPrior", "nbNext", "nbLast"
  QPushButton* ButtonPrint = nullptr;
  QToolButton* sbPrintForm = nullptr;
  QPushButton* OK = nullptr;
  QPushButton* Cancel = nullptr;

  TDataModule1& data_;
  int mode_ = 0;
  bool canEdit_ = false;
  int cardId_ = 0;
  bool modified_ = false;
  bool closing_ = false;
  RememberedCardState remembered_;
};
