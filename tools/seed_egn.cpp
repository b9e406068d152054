// Making valid and deliberately broken personal numbers.
#include "seed_egn.h"

#include "seed_random.h"

namespace {
constexpr int kWeights[9] = {2, 4, 8, 5, 10, 9, 7, 3, 6};

QString TwoDigits(int value) { return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0')); }

// Digits 7-9: a region serial whose last digit tells the sex.
QString Serial(bool male, SeedRandom& random) {
  const int region = random.Below(100);
  int last = random.Below(5) * 2;
  if (!male) last += 1;
  return TwoDigits(region) + QString::number(last);
}

QString WithCheckDigit(const QString& firstNine) { return firstNine + QString::number(EgnCheckDigit(firstNine)); }
}  // namespace

int EgnCheckDigit(const QString& firstNine) {
  int sum = 0;
  for (int i = 0; i < 9; ++i) sum += (firstNine.at(i).unicode() - '0') * kWeights[i];
  const int rest = sum % 11;
  return rest == 10 ? 0 : rest;
}

QString MakeEgn(const QDate& birth, bool male, SeedRandom& random) {
  int month = birth.month();
  if (birth.year() < 1900)
    month += 20;
  else if (birth.year() >= 2000)
    month += 40;
  return WithCheckDigit(TwoDigits(birth.year() % 100) + TwoDigits(month) + TwoDigits(birth.day()) +
                        Serial(male, random));
}

QString MakeBrokenEgn(const QDate& birth, bool male, SeedRandom& random) {
  const QString valid = MakeEgn(birth, male, random);
  switch (random.Below(3)) {
    case 0: {  // a typing slip in the check digit
      const int wrong = (valid.at(9).unicode() - '0' + 1 + random.Below(9)) % 10;
      return valid.left(9) + QString::number(wrong);
    }
    case 1:  // 31st of a 30-day month, correctly checked
      return WithCheckDigit(valid.left(2) + TwoDigits(QList<int>{4, 6, 9, 11}[random.Below(4)]) + QStringLiteral("31") +
                            valid.mid(6, 3));
    default:  // a month code that belongs to no century
      return WithCheckDigit(valid.left(2) + TwoDigits(13 + random.Below(7)) + valid.mid(4, 5));
  }
}
