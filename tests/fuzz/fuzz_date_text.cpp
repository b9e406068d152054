// Fuzzes reading a typed date (with an optional time of day) and the population database's
// "yyyymmdd" dates with any text: a date read is a real date that reads back the same when
// written in the program's format, and its time of day is a fraction of one day.
#include "core/date_time.h"
#include "core/text_helpers.h"
#include "fuzz_check.h"
#include "lbd/person_info.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString text = FuzzText(data, size);

  const DateTimeValue value = ParseDateText(text);
  if (value != 0) {
    const QDate date = ToQDate(value);
    FuzzCheck(date.isValid(), "a date read is a real date", text);
    const double time = TimeOfDayFraction(value);
    FuzzCheck(time >= 0 && time < 1, "the time of day is a fraction of a day", text);
    FuzzCheck(ParseDateText(FormatShortDate(date)) == value - time, "the date reads back the same", text);
    // Whole seconds only: the long time format has no milliseconds.
    const QDateTime dateTime = ToQDateTime(value);
    if (dateTime.time().msec() == 0)
      FuzzCheck(ParseDateText(FormatDateTimeDropMidnight(dateTime)) == value, "the date and time read back the same",
                text);
  }

  const DateTimeValue lbd = LbdTextToDate(text);
  if (lbd != 0) FuzzCheck(ToQDate(lbd).toString(QStringLiteral("yyyyMMdd")) == text, "yyyymmdd reads back the same", text);
  return 0;
}
