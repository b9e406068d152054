// Rules for the 10-digit personal number (EGN).
#include "core/egn_rules.h"

#include "core/clock.h"
#include "core/text_helpers.h"

namespace {

constexpr int kWeights[9] = {2, 4, 8, 5, 10, 9, 7, 3, 6};

int DigitAt(const QString& egn, qsizetype index) { return egn.at(index).unicode() - '0'; }

int TwoDigitsAt(const QString& egn, qsizetype index) {
  return DigitAt(egn, index) * 10 + DigitAt(egn, index + 1);
}

// True when Now is before the day the holder reaches `years`. With no usable date the
// holder is taken as older than any age.
bool IsUnderAge(const QString& egn, int years) {
  const DateTimeValue reached = EGNDateAfterYears(egn, years);
  if (reached == 0) return false;
  return DateTimeValueOf(Clock::Now()) < reached;
}

}  // namespace

bool EGNIsValid(const QString& egn) {
  if (egn.size() != 10) return false;
  if (!IsAllDigits(egn)) return false;
  int sum = 0;
  for (int i = 0; i < 9; ++i) sum += DigitAt(egn, i) * kWeights[i];
  int check = sum % 11;
  if (check == 10) check = 0;
  return DigitAt(egn, 9) == check;
}

DateTimeValue EGNDateAfterYears(const QString& egn, int years) {
  if (years < 0 || !EGNIsValid(egn)) return 0;
  int yy = TwoDigitsAt(egn, 0);
  int month = TwoDigitsAt(egn, 2);
  int day = TwoDigitsAt(egn, 4);
  // 64-bit so that a huge age cannot overflow; such a year simply fails to parse.
  qint64 year = 1900 + static_cast<qint64>(yy) + years;
  if (month > 40) {
    month -= 40;
    year += 100;
  } else if (month > 20) {
    month -= 20;
    year -= 100;
  }
  if (day == 29 && month == 2 && years > 0) {
    day = 1;
    month = 3;
  }
  const QString text = QString::number(day) + QLatin1Char('.') + QString::number(month) +
                       QLatin1Char('.') + QString::number(year);
  return ParseDateText(text);
}

bool EGNIsUnder18(const QString& egn) { return IsUnderAge(egn, 18); }

bool EGNIsAdult(const QString& egn) { return !IsUnderAge(egn, 18); }

bool EGNIsUnder35(const QString& egn) { return IsUnderAge(egn, 35); }
