// Counting a household's children, disabled members and adults, and the card's points.
#include "classification/card_classification.h"

#include "core/clock.h"
#include "core/egn_rules.h"
#include "core/text_helpers.h"
#include "core/yes_no_code.h"
#include "data/firebird/db_error.h"

#include <cmath>

namespace {
constexpr int kMinDisabilityPercent = 71;
constexpr int kFirstYearKept = 1970;
constexpr int kZeroDateYear = 1899;  // the year of the date-time value zero, 30.12.1899

// A disability decision counts while now has not passed its end date (taken at 00:00).
bool IsDisabledNow(const MemberValues& member, DateTimeValue now) {
  if (!member.invProc || !member.invDate || *member.invProc < kMinDisabilityPercent) return false;
  const QString text = member.invDate->trimmed();
  const DateTimeValue validUntil = ParseDateText(text);
  if (validUntil == 0) throw DbError(QStringLiteral("'%1' is not a valid date").arg(text));
  return now <= std::floor(validUntil);
}

// The birthdays of a member from the first on. They all fall on the first birthday's day and
// month (29 February has already moved to 1 March there), so the number is decoded once and
// only the year steps: the ranking run asks for ages of every member of the register.
class Birthdays {
 public:
  explicit Birthdays(const QString& egn) {
    const DateTimeValue firstBirthday = EGNDateAfterYears(egn, 1);
    if (firstBirthday != 0) first_ = ToQDate(firstBirthday);
  }
  // Now is before the day of that age, as the personal-number age tests say; a number
  // without a usable date is older than any age.
  bool IsUnder(int years, DateTimeValue now) const { return first_.isValid() && now < Reached(years); }
  // The largest age up to 17 that now has passed; 0 for a child born after now.
  int ChildAge(DateTimeValue now) const {
    if (!first_.isValid()) return 0;
    for (int years = 17; years > 0; --years)
      if (now > Reached(years)) return years;
    return 0;
  }

 private:
  DateTimeValue Reached(int years) const {
    return DateValue(QDate(first_.year() + years - 1, first_.month(), first_.day()));
  }
  QDate first_;
};
}  // namespace

int ChildAgeYears(const QString& egn) { return Birthdays(egn).ChildAge(DateTimeValueOf(Clock::Now())); }

CardClassification ClassifyCard(const std::vector<MemberValues>& members, std::optional<int> aloneParent,
                                int group2) {
  return ClassifyCard(members, aloneParent, group2, DateTimeValueOf(Clock::Now()));
}

CardClassification ClassifyCard(const std::vector<MemberValues>& members, std::optional<int> aloneParent,
                                int group2, DateTimeValue now) {
  CardClassification c;
  for (const MemberValues& m : members) {
    const bool child = m.personType == 3;
    const bool adult = m.personType < 3;
    const Birthdays birthdays(child || adult ? m.egn : QString());
    if (child && birthdays.IsUnder(18, now)) {
      ++c.kids;
      c.ageSum += birthdays.ChildAge(now);
    }
    if (m.personType == 5) ++c.kids;  // an expected child: counted, adds no age
    if (IsDisabledNow(m, now)) ++c.invalids;
    if (adult) {
      ++c.adults;
      if (!m.egn.isNull() && birthdays.IsUnder(35, now)) ++c.youngAdults;
    }
  }
  c.kidsAge = c.kids > 0 ? static_cast<double>(c.ageSum) / c.kids : 0.0;
  c.onlyParent = c.adults == 1 && c.kids >= 1 && aloneParent && YesNoCodeIsYes(*aloneParent);
  c.youngFamily = c.youngAdults >= 1 && c.kids >= 1;
  if (group2 == 0) {
    c.points = 0;
    c.pointsDescr = QStringLiteral("Без подгрупа");
  } else {
    c.points = 10 - group2;
    c.pointsDescr = QStringLiteral("Подгрупа ") + QString::number(group2);
  }
  return c;
}

std::optional<int> PointsYearToWrite(std::optional<int> storedYear, std::optional<int> grupaDateYear) {
  if (storedYear && *storedYear >= kFirstYearKept) return std::nullopt;
  return grupaDateYear.value_or(kZeroDateYear) + 1;
}
