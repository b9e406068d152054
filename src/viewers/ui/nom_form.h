// The nomenclature viewer "Номенклатури": the code lists of NOM, one list at a time beside the
// code numbers, read-only but for deleting a row with Ctrl+Delete after a confirmation.
#pragma once

#include <QDialog>

class QPushButton;
class QTableView;
class NomGridModel;
class TDataModule1;

class TNomForm : public QDialog {
  Q_OBJECT
 public:
  // The code lists by index 1..7 (index 0 is the code number N).
  static constexpr int kFirstList = 1;
  static constexpr int kLastList = 7;

  explicit TNomForm(TDataModule1& data, QWidget* parent = nullptr);

  void FormShow();  // index back to the first list, the table read again
  void bPrevClick();
  void bNextClick();
  void SpeedButton3Click();
  // Ctrl+Delete: asks "Delete record?" and deletes the current row on OK, in the shared
  // transaction (committed with the program's next commit, like every change).
  void DeleteCurrentRow();

  int ListIndex() const { return index_; }

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowOnly(int index);

  TDataModule1& data_;
  NomGridModel* model_ = nullptr;
  int index_ = kFirstList;
  QTableView* NomGrid = nullptr;
  QPushButton* bPrev = nullptr;
  QPushButton* bNext = nullptr;
  QPushButton* SpeedButton3 = nullptr;  // "Изход"
};
