// The ranking window: a note on who takes part, the criteria in their order (the first two
// fixed, the others moved with the arrows), the refresh box that is always ticked, and the
// buttons that start or cancel the ranking.
#pragma once

#include <QDialog>

#include "classification/ranking_criteria.h"

class QCheckBox;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

class TKlasForm : public QDialog {
  Q_OBJECT
 public:
  explicit TKlasForm(QWidget* parent = nullptr);  // FormCreate: bounds 2 and 9

  // "order by POINTS_YEAR, " and the sort terms of the rows as they are displayed.
  QString RankingOrder() const;

  // The refresh box: whether the classifications are brought to today before the ranking.
  bool RefreshRequested() const;

  void sbUpClick();
  void sbDownClick();

 protected:
  void showEvent(QShowEvent* event) override;  // FormShow

 private:
  void FillList();

  RankingCriteriaList criteria_;
  QPlainTextEdit* KlasInfo = nullptr;
  QListWidget* ClassList = nullptr;
  QToolButton* sbUp = nullptr;
  QToolButton* sbDown = nullptr;
  QCheckBox* cbRefreshInfo = nullptr;
  QPushButton* bOK = nullptr;
  QPushButton* bCancel = nullptr;
};
