// Small text helpers: digit test, blank collapsing and reading a date (and time) from text.
#include "core/text_helpers.h"

#include <QDate>
#include <QStringList>
#include <QTime>
#include <optional>

namespace {

constexpr QChar kBlank = QLatin1Char(' ');
// Only this much of the text after the date is looked at for a time of day.
constexpr qsizetype kMaxTimeLength = 99;
constexpr double kMsPerDay = 86400000.0;

bool IsAsciiDigit(QChar ch) { return ch >= QLatin1Char('0') && ch <= QLatin1Char('9'); }

// A whole number of minDigits..maxDigits ASCII digits; nothing else is accepted
// (no sign, no blanks), so "1.-2.2020" or "1. 2.2020" cannot slip through toInt().
std::optional<int> ReadNumber(QStringView text, qsizetype minDigits, qsizetype maxDigits) {
  if (text.size() < minDigits || text.size() > maxDigits) return std::nullopt;
  int value = 0;
  for (const QChar ch : text) {
    if (!IsAsciiDigit(ch)) return std::nullopt;
    value = value * 10 + (ch.unicode() - '0');
  }
  return value;
}

// "d.M.yyyy" when dayFirst, "M.d.yyyy" otherwise; an invalid QDate when it is no real date.
QDate ReadDate(const QString& text, bool dayFirst) {
  const QStringList parts = text.split(QLatin1Char('.'));
  if (parts.size() != 3) return {};
  const auto first = ReadNumber(parts[0], 1, 2);
  const auto second = ReadNumber(parts[1], 1, 2);
  const auto year = ReadNumber(parts[2], 4, 4);
  if (!first || !second || !year) return {};
  const int day = dayFirst ? *first : *second;
  const int month = dayFirst ? *second : *first;
  return QDate(*year, month, day);  // invalid when the date does not exist
}

// "h:mm", "hh:mm:ss" and "hh:mm:ss.zzz", with optional leading zeros.
QTime ReadTime(const QString& text) {
  const QStringList parts = text.split(QLatin1Char(':'));
  if (parts.size() < 2 || parts.size() > 3) return {};
  const auto hour = ReadNumber(parts[0], 1, 2);
  const auto minute = ReadNumber(parts[1], 1, 2);
  if (!hour || !minute) return {};
  int second = 0;
  int msec = 0;
  if (parts.size() == 3) {
    const QStringList secondParts = parts[2].split(QLatin1Char('.'));
    if (secondParts.size() > 2) return {};
    const auto s = ReadNumber(secondParts[0], 1, 2);
    if (!s) return {};
    second = *s;
    if (secondParts.size() == 2) {
      const auto ms = ReadNumber(secondParts[1], 1, 3);
      if (!ms) return {};
      // ".5" is half a second, not 5 milliseconds.
      msec = *ms;
      for (qsizetype i = secondParts[1].size(); i < 3; ++i) msec *= 10;
    }
  }
  if (!QTime::isValid(*hour, *minute, second, msec)) return {};
  return QTime(*hour, *minute, second, msec);
}

}  // namespace

bool IsAllDigits(const QString& text) {
  for (const QChar ch : text) {
    if (!IsAsciiDigit(ch)) return false;
  }
  return true;
}

QString CollapseSpaces(const QString& text) {
  QString result;
  result.reserve(text.size());
  bool previousWasBlank = false;
  for (const QChar ch : text) {
    if (ch == kBlank) {
      if (!previousWasBlank) result.append(kBlank);
      previousWasBlank = true;
    } else {
      result.append(ch);
      previousWasBlank = false;
    }
  }
  return result;
}

QString WithoutTrailingBlanks(QString text) {
  qsizetype end = text.size();
  while (end > 0 && text.at(end - 1) == kBlank) --end;
  text.truncate(end);
  return text;
}

DateTimeValue ParseDateText(const QString& text) {
  const qsizetype blank = text.indexOf(kBlank);
  // The date part runs up to and including the first blank; the blank itself is not part
  // of the date, so it is dropped before reading.
  QString datePart = blank < 0 ? text : text.left(blank);
  const bool monthFirst = datePart.contains(QLatin1Char('/'));
  if (monthFirst) datePart.replace(QLatin1Char('/'), QLatin1Char('.'));
  const QDate date = ReadDate(datePart, !monthFirst);
  if (!date.isValid()) return 0;

  DateTimeValue value = DateValue(date);
  if (blank >= 0) {
    const QString timePart = text.mid(blank, kMaxTimeLength).trimmed();
    const QTime time = ReadTime(timePart);
    // Added as a plain fraction of a day: going through a local QDateTime would move a
    // time that falls into a daylight-saving gap.
    if (time.isValid()) value += time.msecsSinceStartOfDay() / kMsPerDay;
  }
  return value;
}
