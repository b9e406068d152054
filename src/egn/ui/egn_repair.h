// The correction window "Редактиране на ЕГН": the holder of the register list's current row
// with his personal number to retype and save, moving through the list from the keyboard.
#pragma once

#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;
class QToolButton;
class TDataModule1;

class TEGNRepair : public QDialog {
  Q_OBJECT
 public:
  explicit TEGNRepair(TDataModule1& data, QWidget* parent = nullptr);

  enum Navigate { nbFirst = 0, nbPrior, nbNext, nbLast };
  // A move of the navigator over the register list, then the new row loaded.
  void NavClick(int button);
  // Loads the list's current row: the holder's name and the stored EGN, selected for typing.
  void LoadCurrent();
  // "Редактиране" and Enter: checks and saves the typed EGN.
  void OKClick();

 protected:
  void showEvent(QShowEvent* event) override;  // FormShow
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FocusEgn();

  TDataModule1& data_;
  int personId_ = -1;  // the loaded holder; -1 when there is none
  QToolButton* navButtons[4] = {};  // named as their Navigate move: "nbFirst" … "nbLast"
  QLabel* Label1 = nullptr;
  QLabel* DBText1 = nullptr;
  QLabel* Label3 = nullptr;
  QLineEdit* EgnEdit = nullptr;
  QWidget* Nav = nullptr;
  QToolButton* SpeedButton1 = nullptr;  // "Редактиране"
  QToolButton* SpeedButton2 = nullptr;  // closes with OK: the card opens in the card editor
};

// Shows the window modally; when it closes with OK, `openCard` opens the list's current card
// in the card editor.
void ShowEgnRepair(TEGNRepair& window, const std::function<void()>& openCard);
