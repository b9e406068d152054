// Counting a household's children, disabled members and adults, the single-parent and
// young-family flags, the points, a child's age and the year-of-inclusion rule, at a fixed now.
#include <QtTest>

#include "classification/card_classification.h"
#include "core/clock.h"
#include "core/egn_rules.h"
#include "data/firebird/db_error.h"
#include "test_egn.h"

using Members = std::vector<MemberValues>;
Q_DECLARE_METATYPE(Members)

namespace {
// Every table below is read at this moment.
const QDateTime kNow(QDate(2025, 6, 10), QTime(14, 30));
const QDate kToday = kNow.date();

// A member of `role` who is `years` old, with the birthday `shiftDays` days from today
// (negative: the birthday is still ahead, so one year less once it is not reached).
MemberValues Member(int role, int years, int shiftDays = -40) {
  MemberValues m;
  m.personType = role;
  m.egn = EgnBornOn(kToday.addYears(-years).addDays(shiftDays));
  return m;
}

MemberValues WithDisability(MemberValues m, std::optional<int> percent, std::optional<QString> until) {
  m.invProc = percent;
  m.invDate = until;
  return m;
}

QString Day(const QDate& date) { return date.toString(QStringLiteral("dd.MM.yyyy")); }
}  // namespace

class TestCardClassification : public QObject {
  Q_OBJECT
 private slots:
  void classifiesAHousehold_data() {
    QTest::addColumn<Members>("members");
    QTest::addColumn<QVariant>("aloneParent");
    QTest::addColumn<int>("group2");
    QTest::addColumn<int>("kids");
    QTest::addColumn<int>("ageSum");
    QTest::addColumn<int>("invalids");
    QTest::addColumn<bool>("onlyParent");
    QTest::addColumn<bool>("youngFamily");
    QTest::addColumn<int>("points");
    QTest::addColumn<QString>("descr");
    const QVariant null;
    const QString nextYear = Day(kToday.addYears(1));

    QTest::newRow("worked example")
        << Members{Member(0, 38), Member(2, 33), Member(3, 4), Member(3, 9), Member(5, 0)} << QVariant(1) << 2
        << 3 << 13 << 0 << false << true << 8 << "Подгрупа 2";
    QTest::newRow("18th birthday today: no longer a child")
        << Members{Member(0, 45), Member(3, 18, 0)} << QVariant(2) << 0 << 0 << 0 << 0 << false << false << 0
        << "Без подгрупа";
    QTest::newRow("18th birthday tomorrow: a child of 17")
        << Members{Member(0, 45), Member(3, 18, 1)} << QVariant(2) << 1 << 1 << 17 << 0 << true << false << 9
        << "Подгрупа 1";
    QTest::newRow("single parent") << Members{Member(0, 40), Member(3, 6)} << QVariant(2) << 3 << 1 << 6 << 0
                                   << true << false << 7 << "Подгрупа 3";
    QTest::newRow("alone-parent code no") << Members{Member(0, 40), Member(3, 6)} << QVariant(1) << 3 << 1 << 6
                                          << 0 << false << false << 7 << "Подгрупа 3";
    QTest::newRow("alone-parent code 0 is not yes") << Members{Member(0, 40), Member(3, 6)} << QVariant(0) << 3 << 1
                                                    << 6 << 0 << false << false << 7 << "Подгрупа 3";
    QTest::newRow("alone-parent code NULL") << Members{Member(0, 40), Member(3, 6)} << null << 3 << 1 << 6 << 0
                                            << false << false << 7 << "Подгрупа 3";
    QTest::newRow("two adults are no single parent")
        << Members{Member(0, 40), Member(1, 41), Member(3, 6), Member(3, 8)} << QVariant(2) << 9 << 2 << 14 << 0
        << false << false << 1 << "Подгрупа 9";
    QTest::newRow("role 4 is not an adult") << Members{Member(0, 40), Member(4, 70), Member(3, 6)} << QVariant(2)
                                            << 0 << 1 << 6 << 0 << true << false << 0 << "Без подгрупа";
    QTest::newRow("single parent without children")
        << Members{Member(0, 40), Member(3, 20)} << QVariant(2) << 0 << 0 << 0 << 0 << false << false << 0
        << "Без подгрупа";
    QTest::newRow("holder 34 (35 tomorrow), spouse 50, a child: young family")
        << Members{Member(0, 35, 1), Member(1, 50), Member(3, 2)} << QVariant(1) << 0 << 1 << 2 << 0 << false
        << true << 0 << "Без подгрупа";
    QTest::newRow("holder 35 today, a child: not young")
        << Members{Member(0, 35, 0), Member(3, 2)} << QVariant(1) << 0 << 1 << 2 << 0 << false << false << 0
        << "Без подгрупа";
    QTest::newRow("holder of 30 without children")
        << Members{Member(0, 30)} << QVariant(1) << 0 << 0 << 0 << 0 << false << false << 0 << "Без подгрупа";
    QTest::newRow("only expected children") << Members{Member(0, 50), Member(5, 0), Member(5, 0)} << QVariant(1)
                                            << 0 << 2 << 0 << 0 << false << false << 0 << "Без подгрупа";
    QTest::newRow("child born after today counts with age 0")
        << Members{Member(0, 50), Member(3, 0, 30)} << QVariant(1) << 0 << 1 << 0 << 0 << false << false << 0
        << "Без подгрупа";
    {
      MemberValues invalidChild = Member(3, 5);
      invalidChild.egn[9] = QChar(u'0' + (invalidChild.egn[9].unicode() - '0' + 1) % 10);
      MemberValues holderWithoutEgn;  // NULL EGN: an adult, never a young one
      holderWithoutEgn.personType = 0;
      QTest::newRow("wrong check digit and NULL EGN")
          << Members{holderWithoutEgn, invalidChild, Member(3, 5)} << QVariant(2) << 0 << 1 << 5 << 0 << true
          << false << 0 << "Без подгрупа";
    }
    QTest::newRow("disability 70, 71, 100 expired")
        << Members{WithDisability(Member(0, 50), 70, nextYear), WithDisability(Member(1, 50), 71, nextYear),
                   WithDisability(Member(4, 80), 100, Day(kToday.addMonths(-1)))}
        << null << 0 << 0 << 0 << 1 << false << false << 0 << "Без подгрупа";
    QTest::newRow("disability until today no longer, until tomorrow still, lifelong, blanks around")
        << Members{WithDisability(Member(0, 50), 90, Day(kToday)), WithDisability(Member(3, 10), 80, "01.01.5026"),
                   WithDisability(Member(4, 70), 75, "  " + Day(kToday.addDays(1)) + "    ")}
        << null << 0 << 1 << 10 << 2 << false << false << 0 << "Без подгрупа";
    QTest::newRow("NULL percent or date, or a low percent: the date is never read")
        << Members{WithDisability(Member(0, 50), std::nullopt, "xx"), WithDisability(Member(1, 50), 90, std::nullopt),
                   WithDisability(Member(4, 50), 50, "31.02.2025")}
        << null << 0 << 0 << 0 << 0 << false << false << 0 << "Без подгрупа";
    QTest::newRow("no members") << Members{} << QVariant(2) << 4 << 0 << 0 << 0 << false << false << 6
                                << "Подгрупа 4";
  }
  void classifiesAHousehold() {
    QFETCH(Members, members);
    QFETCH(QVariant, aloneParent);
    QFETCH(int, group2);
    Clock::FixedNow now(kNow);
    const CardClassification c = ClassifyCard(
        members, aloneParent.isNull() ? std::nullopt : std::optional<int>(aloneParent.toInt()), group2);
    QTEST(c.kids, "kids");
    QTEST(c.ageSum, "ageSum");
    QCOMPARE(c.kidsAge, c.kids ? double(c.ageSum) / c.kids : 0.0);
    QTEST(c.invalids, "invalids");
    QTEST(c.onlyParent, "onlyParent");
    QTEST(c.youngFamily, "youngFamily");
    QTEST(c.points, "points");
    QTEST(c.pointsDescr, "descr");
  }

  void workedExampleMeanAge() {
    Clock::FixedNow now(kNow);
    const CardClassification c =
        ClassifyCard({Member(0, 38), Member(2, 33), Member(3, 4), Member(3, 9), Member(5, 0)}, 1, 2);
    QCOMPARE(c.kidsAge, 13.0 / 3.0);
    QCOMPARE(c.adults, 2);
    QCOMPARE(c.youngAdults, 1);
  }

  void unreadableDisabilityDateIsAnError_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("message");
    QTest::newRow("no such day") << "31.02.2025" << "'31.02.2025' is not a valid date";
    QTest::newRow("letters, padded") << "скоро               " << "'скоро' is not a valid date";
    QTest::newRow("empty") << "" << "'' is not a valid date";
  }
  void unreadableDisabilityDateIsAnError() {
    QFETCH(QString, stored);
    QFETCH(QString, message);
    Clock::FixedNow now(kNow);
    try {
      ClassifyCard({Member(0, 40), WithDisability(Member(3, 5), 71, stored)}, 1, 0);
      QFAIL("no error");
    } catch (const DbError& error) {
      QCOMPARE(error.Message(), message);
    }
  }

  void childAge_data() {
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QDate>("birth");
    QTest::addColumn<int>("age");
    QTest::newRow("5th birthday yesterday") << kNow << kToday.addYears(-5).addDays(-1) << 5;
    QTest::newRow("5th birthday today") << kNow << kToday.addYears(-5) << 5;
    QTest::newRow("5th birthday tomorrow") << kNow << kToday.addYears(-5).addDays(1) << 4;
    QTest::newRow("born yesterday") << kNow << kToday.addDays(-1) << 0;
    QTest::newRow("17, 18th tomorrow") << kNow << kToday.addYears(-18).addDays(1) << 17;
    QTest::newRow("born after today") << kNow << kToday.addDays(200) << 0;
    QTest::newRow("29 February, on 28 February") << QDateTime(QDate(2025, 2, 28), QTime(12, 0)) << QDate(2008, 2, 29)
                                                  << 16;
    QTest::newRow("29 February, on 1 March") << QDateTime(QDate(2025, 3, 1), QTime(0, 0, 1)) << QDate(2008, 2, 29)
                                              << 17;
    QTest::newRow("29 February, leap year, on 29 February")
        << QDateTime(QDate(2024, 2, 29), QTime(12, 0)) << QDate(2012, 2, 29) << 11;
  }
  void childAge() {
    QFETCH(QDateTime, now);
    QFETCH(QDate, birth);
    Clock::FixedNow fixed(now);
    QVERIFY(EGNIsUnder18(EgnBornOn(birth)));
    QTEST(ChildAgeYears(EgnBornOn(birth)), "age");
  }

  // The age is the largest k up to 17 whose birthday (EGNDateAfterYears) now has passed, and
  // children and young adults are those the personal-number age tests call under 18 and
  // under 35; checked day by day so every 29 February and year boundary is crossed.
  void agesAgreeWithTheBirthdays() {
    Clock::FixedNow fixed(kNow);
    const DateTimeValue now = DateTimeValueOf(kNow);
    for (QDate birth = kToday.addYears(-36); birth <= kToday.addDays(3); birth = birth.addDays(1)) {
      const QString egn = EgnBornOn(birth);
      int expected = 0;
      for (int k = 17; k > 0 && expected == 0; --k)
        if (now > EGNDateAfterYears(egn, k)) expected = k;
      if (EGNIsUnder18(egn)) QCOMPARE(ChildAgeYears(egn), expected);
      MemberValues child{3, egn, std::nullopt, std::nullopt};
      MemberValues holder{0, egn, std::nullopt, std::nullopt};
      QCOMPARE(ClassifyCard({child}, std::nullopt, 0).kids, EGNIsUnder18(egn) ? 1 : 0);
      QCOMPARE(ClassifyCard({holder}, std::nullopt, 0).youngAdults, EGNIsUnder35(egn) ? 1 : 0);
    }
  }

  void pointsYear_data() {
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QDate>("grupaDate");
    QTest::addColumn<QVariant>("written");
    const QDate june2009(2009, 6, 15);
    QTest::newRow("NULL") << QVariant() << june2009 << QVariant(2010);
    QTest::newRow("0") << QVariant(0) << june2009 << QVariant(2010);
    QTest::newRow("1969") << QVariant(1969) << june2009 << QVariant(2010);
    QTest::newRow("1970 stays") << QVariant(1970) << june2009 << QVariant();
    QTest::newRow("2015 stays") << QVariant(2015) << june2009 << QVariant();
    QTest::newRow("no date: the zero date's year") << QVariant() << QDate() << QVariant(1900);
  }
  void pointsYear() {
    QFETCH(QVariant, stored);
    QFETCH(QDate, grupaDate);
    QFETCH(QVariant, written);
    const std::optional<int> year = PointsYearToWrite(
        stored.isNull() ? std::nullopt : std::optional<int>(stored.toInt()),
        grupaDate.isValid() ? std::optional<int>(grupaDate.year()) : std::nullopt);
    QCOMPARE(year.has_value(), !written.isNull());
    if (year) QCOMPARE(*year, written.toInt());
  }
};

QTEST_GUILESS_MAIN(TestCardClassification)
#include "test_card_classification.moc"
