// Reading a date typed into the date field in one go ("01.01.2010", "1.1.2010", "01012010"):
// the day first, then the month, then the year, wherever the cursor stood when typing began.
#pragma once

#include <QDate>
#include <QString>

// The digits typed for each part of the date so far.
struct TypedDateParts {
  QString day;
  QString month;
  QString year;
  // The part the next digit goes into: 0 the day, 1 the month, 2 the year.
  int section = 0;
  // False when the text holds a character the entry cannot take (a separator with nothing
  // before it, a fifth digit of the year, a letter).
  bool accepted = true;
};

// A character that closes a part: the dot, and the comma, slash and dash that a numeric
// keypad or habit may give instead.
bool IsDateSeparator(QChar c);

// Reads the typed characters in order. A part ends at a separator or when it is full (two
// digits for the day and the month, four for the year), so "01012010" needs no dots.
TypedDateParts ReadTypedDate(const QString& typed);

// The date the typed parts give, taking a part not typed yet from `base`. A year counts once
// it has four digits; until then the base's year stands. Invalid when the typed day does not
// exist in the typed month (31.02).
QDate TypedDateOver(const TypedDateParts& parts, const QDate& base);
