// Fuzzes the personal-number (EGN) checks with any text, and an age from the input's first line:
// a number is valid exactly when it is ten ASCII digits with the right check digit, its birth
// date is the one its digits encode, and the age tests agree with each other.
#include <QDate>

#include "core/egn_rules.h"
#include "egn/egn_repair_rules.h"
#include "fuzz_check.h"

namespace {
int Digit(const QString& egn, int i) { return egn.at(i).unicode() - u'0'; }

bool TenDigits(const QString& egn) {
  if (egn.size() != 10) return false;
  for (QChar c : egn)
    if (c.unicode() < u'0' || c.unicode() > u'9') return false;
  return true;
}

bool CheckDigitHolds(const QString& egn) {
  if (!TenDigits(egn)) return false;
  static const int weights[9] = {2, 4, 8, 5, 10, 9, 7, 3, 6};
  int sum = 0;
  for (int i = 0; i < 9; ++i) sum += Digit(egn, i) * weights[i];
  return Digit(egn, 9) == sum % 11 % 10;
}

// The birth date the digits encode: months 21..32 are the 1800s, 41..52 the 2000s.
QDate EncodedBirthDate(const QString& egn) {
  int year = 1900 + Digit(egn, 0) * 10 + Digit(egn, 1);
  int month = Digit(egn, 2) * 10 + Digit(egn, 3);
  if (month > 40) {
    month -= 40;
    year += 100;
  } else if (month > 20) {
    month -= 20;
    year -= 100;
  }
  return QDate(year, month, Digit(egn, 4) * 10 + Digit(egn, 5));
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QStringList lines = FuzzLines(data, size, 2);
  const QString& egn = lines[1];
  bool ageOk = false;
  const int parsedYears = lines[0].toInt(&ageOk);
  const int years = ageOk ? parsedYears : 18;

  const bool valid = EGNIsValid(egn);
  FuzzCheck(valid == CheckDigitHolds(egn), "valid exactly when the check digit holds", egn);
  const CorrectedEgnCheck corrected = CheckCorrectedEgn(egn);
  FuzzCheck((corrected == CorrectedEgnCheck::NotTenDigits) == !TenDigits(egn),
            "a correction is refused exactly when it is not ten digits", egn);

  const DateTimeValue born = EGNDateAfterYears(egn, 0);
  if (!valid) {
    FuzzCheck(born == 0, "an invalid number has no birth date", egn);
    return 0;
  }
  const QDate encoded = EncodedBirthDate(egn);
  FuzzCheck(encoded.isValid() ? ToQDate(born) == encoded : born == 0, "the birth date is the encoded one", egn);
  FuzzCheck((corrected == CorrectedEgnCheck::Valid) == (born != 0), "a correction with a date is valid", egn);
  FuzzCheck(EGNIsAdult(egn) == !EGNIsUnder18(egn), "adult is the opposite of under 18", egn);
  FuzzCheck(!EGNIsUnder18(egn) || EGNIsUnder35(egn), "under 18 is under 35", egn);

  const DateTimeValue reached = EGNDateAfterYears(egn, years);
  if (born != 0 && reached != 0 && years > 0) {
    FuzzCheck(reached > born, "an age is reached after the birth", egn);
    const QDate date = ToQDate(reached);
    const QDate birthday = encoded.month() == 2 && encoded.day() == 29 ? QDate(encoded.year(), 3, 1) : encoded;
    FuzzCheck(date.month() == birthday.month() && date.day() == birthday.day(), "an age is reached on the birthday",
              egn);
  }
  return 0;
}
