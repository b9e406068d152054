// The window "Имена от Локална База Данни Население": every person whose stored name differs
// from the population database's, with saving of the database's name for the chosen row.
#pragma once

#include <QDialog>
#include <vector>

#include "lbd/lbd_names.h"

class QLabel;
class QPushButton;
class QTableWidget;
class TDataModule1;
class TStatusForm;

class TLbdNamesForm : public QDialog {
  Q_OBJECT
 public:
  explicit TLbdNamesForm(TDataModule1& data, QWidget* parent = nullptr);  // FormCreate

  // Builds the list (also on every showing).
  void BuildList();
  // "Запис" or a double-click: saves the selected row's name when there is a list, then
  // rebuilds the list in every case.
  void bSaveClick();

  const std::vector<LbdNameRow>& Rows() const { return rows_; }

 protected:
  void showEvent(QShowEvent* event) override;  // FormShow

 private:
  void ClearGrid();
  void SaveSelected();

  TDataModule1& data_;
  std::vector<LbdNameRow> rows_;
  TStatusForm* status_ = nullptr;
  QTableWidget* slNames = nullptr;
  QPushButton* bSave = nullptr;
  QPushButton* bExit = nullptr;
  QLabel* Label1 = nullptr;
};
