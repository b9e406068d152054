// Tests of the date-time value: the zero date, round trips through Qt's types, formatting.
#include <QtTest>

#include "core/date_time.h"

class TestDateTime : public QObject {
  Q_OBJECT

 private slots:
  void zeroDate();
  void roundTrip_data();
  void roundTrip();
  void dropMidnight();
};

void TestDateTime::zeroDate() {
  QCOMPARE(DateValue(QDate(1899, 12, 30)), 0.0);
  QCOMPARE(DateValue(QDate(1899, 12, 31)), 1.0);
  QCOMPARE(DateValue(QDate(1899, 12, 29)), -1.0);
  QCOMPARE(DateValue(QDate(2000, 1, 1)), 36526.0);
  QCOMPARE(ToQDate(0), QDate(1899, 12, 30));
}

void TestDateTime::roundTrip_data() {
  QTest::addColumn<QDateTime>("moment");
  QTest::newRow("with milliseconds") << QDateTime(QDate(2024, 5, 10), QTime(13, 45, 30, 123));
  QTest::newRow("last millisecond") << QDateTime(QDate(2024, 12, 31), QTime(23, 59, 59, 999));
  QTest::newRow("midnight") << QDateTime(QDate(2024, 2, 29), QTime(0, 0));
  QTest::newRow("before the zero date") << QDateTime(QDate(1899, 1, 31), QTime(6, 0, 0, 1));
}

void TestDateTime::roundTrip() {
  QFETCH(QDateTime, moment);
  const DateTimeValue value = DateTimeValueOf(moment);
  QCOMPARE(ToQDateTime(value), moment);
  QCOMPARE(ToQDate(value), moment.date());
  QVERIFY(TimeOfDayFraction(value) >= 0 && TimeOfDayFraction(value) < 1);
}

void TestDateTime::dropMidnight() {
  QCOMPARE(FormatDateTimeDropMidnight(QDateTime(QDate(2024, 3, 5), QTime(0, 0))),
           QStringLiteral("05.03.2024"));
  QCOMPARE(FormatDateTimeDropMidnight(QDateTime(QDate(2024, 3, 5), QTime(7, 8, 9))),
           QStringLiteral("05.03.2024 07:08:09"));
  QCOMPARE(FormatDateTimeDropMidnight(QDateTime(QDate(2024, 3, 5), QTime(0, 0, 1))),
           QStringLiteral("05.03.2024 00:00:01"));
}

QTEST_GUILESS_MAIN(TestDateTime)
#include "test_date_time.moc"
