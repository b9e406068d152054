// The ranking criteria: their captions and sort terms in the initial order, the rule for
// moving them (the first two are fixed), the ranking order text built from them and the
// condition of the ranked list.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

struct RankingCriterion {
  QString caption;   // shown in the ranking window
  QString sortTerm;  // what goes into the ordering, unseen
};

// The nine criteria in their initial order.
const std::vector<RankingCriterion>& InitialRankingCriteria();

// The criteria in the order the user chose, with the ranking window's two bounds: the first
// movable position and the row count bound.
class RankingCriteriaList {
 public:
  RankingCriteriaList() : rows_(InitialRankingCriteria()) {}

  void SetBounds(int firstMovable, int rowCountBound) {
    firstMovable_ = firstMovable;
    rowCountBound_ = rowCountBound;
  }
  const std::vector<RankingCriterion>& Rows() const { return rows_; }

  bool CanMoveUp(int position) const { return position > firstMovable_ && position < rowCountBound_; }
  bool CanMoveDown(int position) const { return position > firstMovable_ - 1 && position < rowCountBound_ - 1; }
  // Moves the criterion one place; returns its new position (the same one when it may not move).
  int MoveUp(int position);
  int MoveDown(int position);

  // "order by POINTS_YEAR, " and the sort terms in the displayed order, joined by ",".
  QString OrderText() const;

 private:
  std::vector<RankingCriterion> rows_;
  int firstMovable_ = 2;
  int rowCountBound_ = 9;
};

// "order by POINTS_YEAR, " followed by the sort terms joined by "," (no blanks).
QString RankingOrderText(const QStringList& sortTerms);

// The condition line of the ranked list for a calendar year: the holder's row of every
// card in state 1 with a group and a year of inclusion up to that year.
QString RankedListCondition(int year);
