// Classification figures of a synthetic card, following the register's own rules, so a
// freshly seeded register looks as if every card had been saved on `today`.
#include "seed_card_figures.h"

#include "core/date_time.h"
#include "core/egn_rules.h"
#include "seed_household.h"

namespace {
// "Now" is some time during `today`: an age is reached from the start of its day.
bool Under(const QString& egn, int years, const QDate& today) {
  const DateTimeValue reached = EGNDateAfterYears(egn, years);
  return reached != 0 && DateValue(today) < reached;
}

int ChildAge(const QString& egn, const QDate& today) {
  for (int k = 17; k > 0; --k)
    if (EGNDateAfterYears(egn, k) <= DateValue(today)) return k;
  return 0;
}

bool DecisionStillValid(const SeedPerson& person, const QDate& today) {
  if (!person.disabilityPercent || *person.disabilityPercent < 71 || person.disabilityUntil.isEmpty()) return false;
  const QDate until = QDate::fromString(person.disabilityUntil, QStringLiteral("dd.MM.yyyy"));
  return until.isValid() && until > today;
}
}  // namespace

void FillClassificationFigures(SeedCard& card, const QDate& today) {
  int children = 0, ageSum = 0, over18 = 0, disabled = 0, adults = 0, youngAdults = 0;
  for (const SeedPerson& p : card.members) {
    if (p.role == 3) {
      if (Under(p.egn, 18, today)) {
        ++children;
        ageSum += ChildAge(p.egn, today);
      } else {
        ++over18;
      }
    }
    if (p.role == 5) ++children;
    if (DecisionStillValid(p, today)) ++disabled;
    if (p.role < 3) {
      ++adults;
      if (Under(p.egn, 35, today)) ++youngAdults;
    }
  }
  card.kids = children;
  card.kidsOver18 = over18;
  card.kidsAge = children > 0 ? static_cast<double>(ageSum) / children : 0.0;
  card.invalids = disabled;
  card.onlyParent = (adults == 1 && children >= 1 && card.aloneParent == 2) ? -1 : 0;
  card.youngFamily = (youngAdults >= 1 && children >= 1) ? -1 : 0;
  if (card.subgroup == 0) {
    card.points = 0;
    card.pointsDescription = QStringLiteral("Без подгрупа");
  } else {
    card.points = 10 - card.subgroup;
    card.pointsDescription = QStringLiteral("Подгрупа ") + QString::number(card.subgroup);
  }
}
