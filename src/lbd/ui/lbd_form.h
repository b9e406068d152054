// The check window "Проверка в Локална База Данни": what the population database says about a
// member, each row with a tick box choosing whether it is copied into the card. Created once;
// the ticks stay as the user left them for the next check of the run. Other code fills it and
// reads it back through plain values (LbdCheckValues, LbdCopyTicks).
#pragma once

#include <QDialog>

#include "lbd/lbd_check_values.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

class TLBDForm : public QDialog {
  Q_OBJECT
 public:
  explicit TLBDForm(QWidget* parent = nullptr);

  // Sets every row afresh (an empty value empties its row).
  void Fill(const LbdCheckValues& values);
  LbdCheckValues Values() const;
  LbdCopyTicks Ticks() const;

 private:
  // The controls; each control's object name is its member's name, so tests find them by it.
  QLineEdit* Name = nullptr;
  QLineEdit* EGN = nullptr;
  QLineEdit* Address1 = nullptr;
  QLineEdit* AddrReg1 = nullptr;
  QLineEdit* Address2 = nullptr;
  QLineEdit* AddrReg2 = nullptr;
  QLineEdit* IDInfo = nullptr;
  QCheckBox* CB1 = nullptr;
  QCheckBox* CB2 = nullptr;
  QCheckBox* CB3 = nullptr;
  QCheckBox* CB4 = nullptr;
  QCheckBox* CB5 = nullptr;
  QCheckBox* CB6 = nullptr;
  QCheckBox* CB7 = nullptr;
  QPushButton* Button1 = nullptr;  // "Попълване на избраните данни"
  QPushButton* Button2 = nullptr;  // "Отказ"
};
