// Tests of the text helpers: digit test, blank collapsing and reading dates from text.
#include <QtTest>

#include "core/date_time.h"
#include "core/text_helpers.h"

class TestTextHelpers : public QObject {
  Q_OBJECT

 private slots:
  void isAllDigits_data();
  void isAllDigits();
  void collapseSpaces_data();
  void collapseSpaces();
  void parseDateText_data();
  void parseDateText();
};

void TestTextHelpers::isAllDigits_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<bool>("expected");

  QTest::newRow("empty") << "" << true;
  QTest::newRow("digits") << "0123456789" << true;
  QTest::newRow("blank between digits") << "12 3" << false;
  QTest::newRow("trailing blank") << "123 " << false;
  QTest::newRow("sign") << "-5" << false;
  QTest::newRow("decimal point") << "1.5" << false;
  QTest::newRow("letter") << "5a" << false;
  QTest::newRow("fullwidth digit") << QStringLiteral("1\uFF12") << false;
  QTest::newRow("Arabic-Indic digit") << QStringLiteral("\u0661") << false;
}

void TestTextHelpers::isAllDigits() {
  QFETCH(QString, text);
  QFETCH(bool, expected);
  QCOMPARE(IsAllDigits(text), expected);
}

void TestTextHelpers::collapseSpaces_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("expected");

  QTest::newRow("runs at both ends kept as one") << "  word   other " << " word other ";
  QTest::newRow("empty") << "" << "";
  QTest::newRow("only blanks") << "     " << " ";
  QTest::newRow("no blanks") << "word" << "word";
  QTest::newRow("tabs and newlines untouched") << "a\t\tb\n\nc" << "a\t\tb\n\nc";
  QTest::newRow("tab breaks a run") << "a  \t  b" << "a \t b";
  QTest::newRow("non-breaking space untouched")
      << QStringLiteral("a\u00A0\u00A0b") << QStringLiteral("a\u00A0\u00A0b");
  QTest::newRow("Cyrillic") << QStringLiteral("Дете   на  път") << QStringLiteral("Дете на път");
}

void TestTextHelpers::collapseSpaces() {
  QFETCH(QString, text);
  QFETCH(QString, expected);
  QCOMPARE(CollapseSpaces(text), expected);
}

void TestTextHelpers::parseDateText_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QDateTime>("expected");  // invalid: the result must be zero

  const QDateTime none;
  auto at = [](int y, int m, int d, QTime t = QTime(0, 0)) { return QDateTime(QDate(y, m, d), t); };

  QTest::newRow("day first") << "03.04.2020" << at(2020, 4, 3);
  QTest::newRow("day first, no leading zeros") << "3.4.2020" << at(2020, 4, 3);
  QTest::newRow("month first with slash") << "04/03/2020" << at(2020, 4, 3);
  QTest::newRow("month first, no leading zeros") << "4/3/2020" << at(2020, 4, 3);
  QTest::newRow("slash: day 13 cannot be a month") << "13/4/2020" << none;
  QTest::newRow("leap day") << "29.02.2020" << at(2020, 2, 29);
  QTest::newRow("31 February") << "31.02.2020" << none;
  QTest::newRow("29 February, common year") << "29.02.2023" << none;
  QTest::newRow("1900 was a common year") << "29.2.1900" << none;
  QTest::newRow("month 13") << "1.13.2020" << none;
  QTest::newRow("day 0") << "0.1.2020" << none;
  QTest::newRow("before the zero date") << "31.1.1899" << at(1899, 1, 31);
  QTest::newRow("two-digit year") << "1.2.20" << none;
  QTest::newRow("two parts") << "1.2" << none;
  QTest::newRow("four parts") << "1.2.2020.5" << none;
  QTest::newRow("sign in a number") << "1.-2.2020" << none;
  QTest::newRow("letters") << "a.b.cccc" << none;
  QTest::newRow("empty") << "" << none;
  QTest::newRow("leading blank: empty date part") << " 1.2.2020" << none;
  QTest::newRow("trailing blank") << "1.2.2020 " << at(2020, 2, 1);
  QTest::newRow("with time h:mm") << "1.2.2020 9:05" << at(2020, 2, 1, QTime(9, 5));
  QTest::newRow("with time hh:mm:ss") << "01.02.2020 13:45:30"
                                      << at(2020, 2, 1, QTime(13, 45, 30));
  QTest::newRow("with milliseconds") << "1.2.2020 13:45:30.250"
                                     << at(2020, 2, 1, QTime(13, 45, 30, 250));
  QTest::newRow("time after several blanks") << "1.2.2020    8:00 "
                                             << at(2020, 2, 1, QTime(8, 0));
  QTest::newRow("month first with time") << "2/1/2020 23:59:59"
                                         << at(2020, 2, 1, QTime(23, 59, 59));
  QTest::newRow("bad time: hour 25") << "1.2.2020 25:00" << at(2020, 2, 1);
  QTest::newRow("bad time: minute 60") << "1.2.2020 10:60" << at(2020, 2, 1);
  QTest::newRow("bad time: words") << "1.2.2020 noon" << at(2020, 2, 1);
  QTest::newRow("bad time: hour only") << "1.2.2020 10" << at(2020, 2, 1);
  QTest::newRow("bad date ignores time") << "31.2.2020 10:00" << none;
  // Only 99 characters after the date are looked at for the time.
  QTest::newRow("time beyond 99 characters")
      << QStringLiteral("1.2.2020") + QString(99, QLatin1Char(' ')) + QStringLiteral("10:00")
      << at(2020, 2, 1);
  QTest::newRow("time within 99 characters")
      << QStringLiteral("1.2.2020") + QString(94, QLatin1Char(' ')) + QStringLiteral("10:00")
      << at(2020, 2, 1, QTime(10, 0));
}

void TestTextHelpers::parseDateText() {
  QFETCH(QString, text);
  QFETCH(QDateTime, expected);
  const DateTimeValue value = ParseDateText(text);
  if (!expected.isValid()) {
    QCOMPARE(value, 0.0);
    return;
  }
  QCOMPARE(ToQDateTime(value), expected);
}

QTEST_GUILESS_MAIN(TestTextHelpers)
#include "test_text_helpers.moc"
