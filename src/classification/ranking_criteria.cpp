// The ranking criteria and their order.
#include "classification/ranking_criteria.h"

#include <utility>

const std::vector<RankingCriterion>& InitialRankingCriteria() {
  static const std::vector<RankingCriterion> criteria = {
      {QStringLiteral(" - Група"), QStringLiteral("GRUPA")},
      {QStringLiteral(" - Особенности (подгрупа/точки)"), QStringLiteral("POINTS DESC")},
      {QStringLiteral(" - дата на заявление"), QStringLiteral("REGDATE")},
      {QStringLiteral(" - брой деца до 18 г."), QStringLiteral("KIDS DESC")},
      {QStringLiteral(" - дали е самотен родител"), QStringLiteral("ONLY_PARENT DESC")},
      {QStringLiteral(" - инвалиди в семейството"), QStringLiteral("N_INVALIDS DESC")},
      {QStringLiteral(" - дали е младо семейство"), QStringLiteral("YOUNG_FAMILY DESC")},
      {QStringLiteral(" - дали сем. живее в тежки жилищни условия"), QStringLiteral("HARD_LIFE DESC")},
      {QStringLiteral(" - ср. възраст на децата до 18 г."), QStringLiteral("KIDS_AGE DESC")},
  };
  return criteria;
}

int RankingCriteriaList::MoveUp(int position) {
  if (!CanMoveUp(position) || position >= static_cast<int>(rows_.size())) return position;
  std::swap(rows_[position], rows_[position - 1]);
  return position - 1;
}

int RankingCriteriaList::MoveDown(int position) {
  if (!CanMoveDown(position) || position + 1 >= static_cast<int>(rows_.size())) return position;
  std::swap(rows_[position], rows_[position + 1]);
  return position + 1;
}

QString RankingCriteriaList::OrderText() const {
  QStringList terms;
  for (const RankingCriterion& row : rows_) terms << row.sortTerm;
  return RankingOrderText(terms);
}

QString RankingOrderText(const QStringList& sortTerms) {
  return QStringLiteral("order by POINTS_YEAR, ") + sortTerms.join(u',');
}

QString RankedListCondition(int year) {
  return QStringLiteral("and person_type=0 and c.status=1 and c.grupa<>0 and POINTS_YEAR<=") + QString::number(year);
}
