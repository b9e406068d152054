#include "ui/date_typing.h"

namespace {
constexpr int kPartLengths[] = {2, 2, 4};

QString& Part(TypedDateParts& parts, int section) {
  return section == 0 ? parts.day : section == 1 ? parts.month : parts.year;
}

bool IsAsciiDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// A part's typed number, or the base's when the part is empty or still reads 0 ("0" of "05").
int TypedOr(const QString& digits, int base) {
  const int value = digits.isEmpty() ? 0 : digits.toInt();
  return value > 0 ? value : base;
}
}  // namespace

bool IsDateSeparator(QChar c) { return c == u'.' || c == u',' || c == u'/' || c == u'-'; }

TypedDateParts ReadTypedDate(const QString& typed) {
  TypedDateParts parts;
  for (const QChar c : typed) {
    QString& current = Part(parts, parts.section);
    if (IsAsciiDigit(c)) {
      if (current.size() == kPartLengths[parts.section]) {
        if (parts.section == 2) {
          parts.accepted = false;
          return parts;
        }
        ++parts.section;
      }
      Part(parts, parts.section).append(c);
    } else if (IsDateSeparator(c) && !current.isEmpty() && parts.section < 2) {
      ++parts.section;
    } else {
      parts.accepted = false;
      return parts;
    }
  }
  return parts;
}

QDate TypedDateOver(const TypedDateParts& parts, const QDate& base) {
  const int year = parts.year.size() == 4 ? parts.year.toInt() : base.year();
  const QDate date(year, TypedOr(parts.month, base.month()), TypedOr(parts.day, base.day()));
  return date;
}
