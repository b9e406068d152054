#include "core/date_time.h"

#include <cmath>

namespace {
const QDate kEpoch(1899, 12, 30);
constexpr double kMsPerDay = 86400000.0;
}

DateTimeValue DateValue(const QDate& date) {
  return static_cast<double>(kEpoch.daysTo(date));
}

DateTimeValue DateTimeValueOf(const QDateTime& dateTime) {
  const double ms = dateTime.time().msecsSinceStartOfDay();
  return DateValue(dateTime.date()) + ms / kMsPerDay;
}

QDate ToQDate(DateTimeValue value) {
  return kEpoch.addDays(static_cast<qint64>(std::floor(value)));
}

double TimeOfDayFraction(DateTimeValue value) {
  return value - std::floor(value);
}

QDateTime ToQDateTime(DateTimeValue value) {
  const QDate date = ToQDate(value);
  // Round to whole milliseconds so values made from a QDateTime come back unchanged.
  qint64 ms = std::llround(TimeOfDayFraction(value) * kMsPerDay);
  if (ms >= static_cast<qint64>(kMsPerDay)) ms = static_cast<qint64>(kMsPerDay) - 1;
  return QDateTime(date, QTime::fromMSecsSinceStartOfDay(static_cast<int>(ms)));
}

QString FormatShortDate(const QDate& date) {
  return date.toString(QString::fromLatin1(kShortDateFormat));
}

QString FormatDateTimeDropMidnight(const QDateTime& dateTime) {
  const QTime t = dateTime.time();
  if (t.hour() == 0 && t.minute() == 0 && t.second() == 0) return FormatShortDate(dateTime.date());
  return FormatShortDate(dateTime.date()) + QLatin1Char(' ') +
         t.toString(QString::fromLatin1(kLongTimeFormat));
}
