// The system's date-time value: days counted from 30 December 1899 with the time of day
// as the fraction. Zero means "no date". Conversions to and from Qt's types live here.
#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

using DateTimeValue = double;

// Value of a date at 00:00.
DateTimeValue DateValue(const QDate& date);
// Value of a local date and time; milliseconds are kept.
DateTimeValue DateTimeValueOf(const QDateTime& dateTime);
// The local date and time a value stands for; invalid for values outside Qt's range.
QDateTime ToQDateTime(DateTimeValue value);
// The date part (whole days towards minus infinity, as the value is counted).
QDate ToQDate(DateTimeValue value);
// The time-of-day part as a fraction of a day, 0 <= fraction < 1.
double TimeOfDayFraction(DateTimeValue value);

// The program's short date and long time formats.
inline constexpr const char* kShortDateFormat = "dd.MM.yyyy";
inline constexpr const char* kLongTimeFormat = "hh:mm:ss";

// "dd.mm.yyyy", as written into SQL text and shown to the user.
QString FormatShortDate(const QDate& date);
// "dd.mm.yyyy hh:mm:ss", or only the date when the time of day is exactly midnight.
QString FormatDateTimeDropMidnight(const QDateTime& dateTime);
