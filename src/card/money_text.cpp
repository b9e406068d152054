// Reading an amount of money as a clerk types it.
#include "card/money_text.h"

namespace {
constexpr int kMaxDecimals = 4;
}

std::optional<double> ReadCurrency(const QString& text, const QLocale& locale) {
  const QString trimmed = text.trimmed();
  const QString separator = locale.decimalPoint();
  int pos = 0;
  if (pos < trimmed.size() && (trimmed[pos] == u'-' || trimmed[pos] == u'+')) ++pos;
  int whole = 0;
  while (pos < trimmed.size() && trimmed[pos].isDigit() && trimmed[pos].unicode() < 128) ++pos, ++whole;
  int decimals = 0;
  if (trimmed.mid(pos).startsWith(separator)) {
    pos += separator.size();
    while (pos < trimmed.size() && trimmed[pos].isDigit() && trimmed[pos].unicode() < 128) ++pos, ++decimals;
  }
  if (pos != trimmed.size() || whole + decimals == 0 || decimals > kMaxDecimals) return std::nullopt;

  // Rebuilt in the C locale so the conversion does not depend on the locale a second time.
  QString plain = trimmed;
  plain.replace(separator, QStringLiteral("."));
  bool ok = false;
  const double value = plain.toDouble(&ok);
  if (!ok) return std::nullopt;
  return value;
}
