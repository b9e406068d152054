// Valid personal numbers for a given birth date, so the tests can speak in dates and ages.
#pragma once

#include <QDate>
#include <QString>

inline QString EgnBornOn(const QDate& birth, int serial = 123) {
  int month = birth.month();
  if (birth.year() >= 2000) month += 40;
  else if (birth.year() < 1900) month += 20;
  const QString first9 = QStringLiteral("%1%2%3%4")
                             .arg(birth.year() % 100, 2, 10, QLatin1Char('0'))
                             .arg(month, 2, 10, QLatin1Char('0'))
                             .arg(birth.day(), 2, 10, QLatin1Char('0'))
                             .arg(serial, 3, 10, QLatin1Char('0'));
  static constexpr int kWeights[9] = {2, 4, 8, 5, 10, 9, 7, 3, 6};
  int sum = 0;
  for (int i = 0; i < 9; ++i) sum += (first9.at(i).unicode() - '0') * kWeights[i];
  const int check = sum % 11 == 10 ? 0 : sum % 11;
  return first9 + QString::number(check);
}
