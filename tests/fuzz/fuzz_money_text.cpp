// Fuzzes reading an amount of money with any text, in the C locale and in the Bulgarian one
// (decimal comma): an amount is accepted exactly when it has the promised shape, and then it is
// the number its digits say.
#include <QLocale>
#include <QRegularExpression>
#include <cmath>

#include "card/money_text.h"
#include "fuzz_check.h"

namespace {
// Blanks around, a sign, digits, at most one decimal separator with at most four digits after it.
QRegularExpression AmountShape(const QLocale& locale) {
  return QRegularExpression(QStringLiteral("^[+-]?([0-9]+(%1[0-9]{0,4})?|%1[0-9]{1,4})$")
                                .arg(QRegularExpression::escape(locale.decimalPoint())));
}

void CheckIn(const QString& text, const QLocale& locale, const QRegularExpression& shape) {
  const std::optional<double> amount = ReadCurrency(text, locale);
  const QString trimmed = text.trimmed();
  const bool wellFormed = shape.match(trimmed).hasMatch();
  QString plain = trimmed;
  plain.replace(locale.decimalPoint(), QStringLiteral("."));
  bool inRange = false;
  const double number = plain.toDouble(&inRange);
  // A number too large for a double is no amount either.
  FuzzCheck(amount.has_value() == (wellFormed && inRange && std::isfinite(number)),
            "an amount is read exactly when it has the promised shape", text);
  if (amount) FuzzCheck(*amount == number, "the amount is the number its digits say", text);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString text = FuzzText(data, size);
  static const QLocale c = QLocale::c();
  static const QLocale bulgarian(QLocale::Bulgarian, QLocale::Bulgaria);
  static const QRegularExpression cShape = AmountShape(c);
  static const QRegularExpression bulgarianShape = AmountShape(bulgarian);
  CheckIn(text, c, cShape);
  CheckIn(text, bulgarian, bulgarianShape);
  return 0;
}
