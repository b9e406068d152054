// Tests of the personal-number rules: check digit, decoded dates and age tests at a fixed "now".
#include <QtTest>

#include "core/clock.h"
#include "core/date_time.h"
#include "core/egn_rules.h"

class TestEgnRules : public QObject {
  Q_OBJECT

 private slots:
  void decoding_data();
  void decoding();
  void ageTests_data();
  void ageTests();
};

void TestEgnRules::decoding_data() {
  QTest::addColumn<QString>("egn");
  QTest::addColumn<int>("years");
  QTest::addColumn<bool>("valid");
  QTest::addColumn<QDate>("date");  // invalid QDate: the result must be zero

  const QDate none;
  QTest::newRow("all zeros: valid, but month 0") << "0000000000" << 0 << true << none;
  QTest::newRow("remainder 10, check digit 0") << "0000000090" << 0 << true << none;
  QTest::newRow("remainder 10, check digit 1") << "0000000091" << 0 << false << none;
  QTest::newRow("month code 21: 1899") << "9921310004" << 0 << true << QDate(1899, 1, 31);
  QTest::newRow("month code 52: 2099") << "9952310000" << 0 << true << QDate(2099, 12, 31);
  QTest::newRow("ordinary birth date") << "0645101231" << 0 << true << QDate(2006, 5, 10);
  QTest::newRow("ordinary, 18 years") << "0645101231" << 18 << true << QDate(2024, 5, 10);
  QTest::newRow("29 Feb leap year, birth") << "9642290009" << 0 << true << QDate(2096, 2, 29);
  QTest::newRow("29 Feb leap year, 18 years") << "9642290009" << 18 << true << QDate(2114, 3, 1);
  QTest::newRow("29 Feb common year, birth") << "9722290008" << 0 << true << none;
  QTest::newRow("29 Feb common year, 18 years") << "9722290008" << 18 << true << QDate(1915, 3, 1);
  // A leap birthday moves to 1 March even when the anniversary year is a leap year too.
  QTest::newRow("29 Feb, leap anniversary") << "0842290000" << 4 << true << QDate(2012, 3, 1);
  QTest::newRow("month code 15") << "0015010009" << 0 << true << none;
  QTest::newRow("month code 53") << "9953310005" << 0 << true << none;
  QTest::newRow("day 0") << "0001000005" << 0 << true << none;
  QTest::newRow("31 April") << "0004310004" << 0 << true << none;
  QTest::newRow("negative age") << "0645101231" << -1 << true << none;
  QTest::newRow("9 characters") << "064510123" << 0 << false << none;
  QTest::newRow("11 characters") << "06451012310" << 0 << false << none;
  QTest::newRow("blank inside") << "064510 231" << 0 << false << none;
  QTest::newRow("letter inside") << "0645101A31" << 0 << false << none;
  QTest::newRow("non-ASCII digit") << QStringLiteral("064510123\uFF11") << 0 << false << none;
  QTest::newRow("empty") << "" << 0 << false << none;
}

void TestEgnRules::decoding() {
  QFETCH(QString, egn);
  QFETCH(int, years);
  QFETCH(bool, valid);
  QFETCH(QDate, date);

  QCOMPARE(EGNIsValid(egn), valid);
  const DateTimeValue expected = date.isValid() ? DateValue(date) : 0.0;
  QCOMPARE(EGNDateAfterYears(egn, years), expected);
}

void TestEgnRules::ageTests_data() {
  QTest::addColumn<QString>("egn");
  QTest::addColumn<QDateTime>("now");
  QTest::addColumn<bool>("under18");
  QTest::addColumn<bool>("under35");

  const QDateTime morning(QDate(2024, 5, 10), QTime(9, 30));
  const QDateTime midnight(QDate(2024, 5, 10), QTime(0, 0));
  const QDateTime dayBefore(QDate(2024, 5, 9), QTime(23, 59, 59, 999));

  // Born 10 May 2006: 18 on 10 May 2024.
  QTest::newRow("18th birthday today") << "0645101231" << morning << false << true;
  QTest::newRow("18th birthday, first moment") << "0645101231" << midnight << false << true;
  QTest::newRow("18th birthday tomorrow") << "0645101231" << dayBefore << true << true;
  // Born 11 May 2006 and 11 / 10 May 1989.
  QTest::newRow("18 tomorrow") << "0645111230" << morning << true << true;
  QTest::newRow("35th birthday tomorrow") << "8905111236" << morning << false << true;
  QTest::newRow("35th birthday today") << "8905101238" << morning << false << false;
  QTest::newRow("born in the future") << "9952310000" << morning << true << true;
  // Born 29 February 2008: 18 on 1 March 2026.
  QTest::newRow("leap birthday, 28 Feb") << "0842290000"
                                         << QDateTime(QDate(2026, 2, 28), QTime(12, 0)) << true
                                         << true;
  QTest::newRow("leap birthday, 1 Mar") << "0842290000"
                                        << QDateTime(QDate(2026, 3, 1), QTime(0, 0)) << false
                                        << true;
  // No real birth date, but a real 18th anniversary: the anniversary decides.
  QTest::newRow("29 Feb of a common year") << "9722290008" << morning << false << false;
  // No usable date at all: taken as older than any age.
  QTest::newRow("no real date") << "0000000000" << morning << false << false;
  QTest::newRow("wrong check digit") << "0645111231" << morning << false << false;
  QTest::newRow("not a number") << "abc" << morning << false << false;
  QTest::newRow("empty") << "" << morning << false << false;
  // The rule holds on its own, not because "now" happens to lie after the zero date.
  QTest::newRow("no real date, clock before 1899")
      << "0000000000" << QDateTime(QDate(1800, 1, 1), QTime(0, 0)) << false << false;
}

void TestEgnRules::ageTests() {
  QFETCH(QString, egn);
  QFETCH(QDateTime, now);
  QFETCH(bool, under18);
  QFETCH(bool, under35);

  Clock::FixedNow fixed(now);
  QCOMPARE(EGNIsUnder18(egn), under18);
  QCOMPARE(EGNIsAdult(egn), !under18);
  QCOMPARE(EGNIsUnder35(egn), under35);
}

QTEST_GUILESS_MAIN(TestEgnRules)
#include "test_egn_rules.moc"
