// The population-database link through the reference library: finding a person and reading
// the 29 properties, texts that must not harm the library, a missing library or store, and
// the reading of the library's dates.
#include <QtTest>

#include "lbd/person_info.h"
#include "population_fixture.h"

class TestPersonInfo : public QObject {
  Q_OBJECT

 private slots:
  void lbdTextToDate_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("date");  // invalid: no date
    QTest::newRow("ordinary") << "20210315" << QDate(2021, 3, 15);
    QTest::newRow("leap day") << "20000229" << QDate(2000, 2, 29);
    QTest::newRow("not a leap day") << "19000229" << QDate();
    QTest::newRow("month 13") << "20211301" << QDate();
    QTest::newRow("day 0") << "20210300" << QDate();
    QTest::newRow("seven digits") << "2021031" << QDate();
    QTest::newRow("nine digits") << "202103150" << QDate();
    QTest::newRow("dotted") << "15.03.21" << QDate();
    QTest::newRow("blank inside") << "2021 315" << QDate();
    QTest::newRow("empty") << "" << QDate();
    QTest::newRow("arabic-indic digits") << QString::fromUtf8("٢٠٢١٠٣١٥") << QDate();
  }
  void lbdTextToDate() {
    QFETCH(QString, text);
    QFETCH(QDate, date);
    QCOMPARE(LbdTextToDate(text), date.isValid() ? DateValue(date) : 0.0);
  }

  void findsAPersonWithEveryProperty() {
    PopulationFixture store;
    store.Add(QStringLiteral("7501010010"),
              {{u"FirstName", QStringLiteral("Иван")}, {u"MiddleName", QStringLiteral("Петров")},
               {u"LastName", QStringLiteral("Иванов")}, {u"PAddrPopulatedPlace", QStringLiteral("гр. Тестово")},
               {u"PAddrAppartment", QStringLiteral("12")}, {u"PAddrDate", QStringLiteral("20100405")},
               {u"CAddrDate", QStringLiteral("2010045")}, {u"IdDocDate", QStringLiteral("20200101")},
               {u"IdDocRDVR", QStringLiteral("3")}, {u"BAddrPopulatedPlace", QStringLiteral("гр. Родно")}});
    TPersonInfo person;
    QVERIFY(person.IsConnected());
    QVERIFY(person.LoadByEGN(QStringLiteral("7501010010")));
    QCOMPARE(person.FullName(), QStringLiteral("Иван Петров Иванов"));
    QCOMPARE(person.PAddrPopulatedPlace, QStringLiteral("гр. Тестово"));
    QCOMPARE(person.PAddrAppartment, QStringLiteral("12"));
    QCOMPARE(person.IdDocRDVR, QStringLiteral("3"));
    QCOMPARE(person.BAddrPopulatedPlace, QStringLiteral("гр. Родно"));
    QVERIFY(person.PAddrStreet.isEmpty() && person.Sitizenship2.isEmpty());
    QCOMPARE(person.PAddrDate, DateValue(QDate(2010, 4, 5)));
    QCOMPARE(person.CAddrDate, 0.0);  // seven digits
    QCOMPARE(person.IdDocDate, DateValue(QDate(2020, 1, 1)));

    // Not found: false, and the fields keep the last person.
    QVERIFY(!person.LoadByEGN(QStringLiteral("7501010011")));
    QCOMPARE(person.FirstName, QStringLiteral("Иван"));
  }

  // A second person leaves nothing of the first in the properties he lacks, also when only
  // the names are loaded.
  void aSecondPersonReplacesEveryField() {
    PopulationFixture store;
    store.Add(QStringLiteral("1111111111"), {{u"FirstName", QStringLiteral("А")}, {u"PAddrFloor", QStringLiteral("3")},
                                             {u"IdDocDate", QStringLiteral("20200101")}});
    store.AddName(QStringLiteral("2222222222"), QStringLiteral("Б"), QString(), QString());
    TPersonInfo person;
    QVERIFY(person.LoadByEGN(QStringLiteral("1111111111")));
    QVERIFY(person.LoadByEGN(QStringLiteral("2222222222")));
    QCOMPARE(person.FirstName, QStringLiteral("Б"));
    QVERIFY(person.PAddrFloor.isEmpty());
    QCOMPARE(person.IdDocDate, 0.0);

    // Loading the names only empties every other field too.
    QVERIFY(person.LoadByEGN(QStringLiteral("1111111111")));
    QVERIFY(person.LoadNamesByEGN(QStringLiteral("2222222222")));
    QCOMPARE(person.FirstName, QStringLiteral("Б"));
    QVERIFY(person.PAddrFloor.isEmpty());
    QCOMPARE(person.IdDocDate, 0.0);
    QVERIFY(person.LoadNamesByEGN(QStringLiteral("1111111111")));
    QCOMPARE(person.FirstName, QStringLiteral("А"));
    QVERIFY(person.PAddrFloor.isEmpty());
    QVERIFY(!person.LoadNamesByEGN(QStringLiteral("3333333333")));
  }

  // The number goes to the library as typed; no text harms it.
  void anyTextIsLookedUpSafely() {
    PopulationFixture store;
    store.AddName(QStringLiteral("7501010010"), QStringLiteral("Иван"), QString(), QString());
    store.AddName(QStringLiteral("x' or '1'='1"), QStringLiteral("Пробив"), QString(), QString());
    TPersonInfo person;
    const QString texts[] = {QStringLiteral(" 7501010010"), QStringLiteral("7501010010 "), QString(),
                             QStringLiteral("' or 1=1 --"), QString(QChar(0)) + QStringLiteral("7501010010"),
                             QString(QChar(0xD800)), QString(100000, u'9')};
    for (const QString& text : texts) QVERIFY(!person.LoadByEGN(text));
    QVERIFY(person.LoadByEGN(QStringLiteral("x' or '1'='1")));  // found only as its own exact text
    QCOMPARE(person.FirstName, QStringLiteral("Пробив"));
  }

  void noLibraryOrNoStoreIsTheConnectionError() {
    PopulationFixture store;
    {
      qputenv("TESARO_POPULATION_LIBRARY", QFile::encodeName(store.Folder() + QStringLiteral("/libMissing.so")));
      TPersonInfo person;
      QVERIFY(!person.IsConnected());
      try {
        person.LoadByEGN(QStringLiteral("7501010010"));
        QFAIL("no error");
      } catch (const LbdError& error) {
        QCOMPARE(error.Message(), QStringLiteral("НЯМА ВРЪЗКА С ЛБД!"));
      }
    }
    qputenv("TESARO_POPULATION_LIBRARY", TESARO_TEST_POPULATION_LIBRARY);
    qputenv(kPopulationDbVariable, QFile::encodeName(store.Folder() + QStringLiteral("/none.sqlite")));
    TPersonInfo person;
    QVERIFY_THROWS_EXCEPTION(LbdError, person.LoadByEGN(QStringLiteral("7501010010")));
    QVERIFY(!QFile::exists(store.Folder() + QStringLiteral("/none.sqlite")));  // read-only: never created
  }

  void storeBesideALocalRegister() {
    qunsetenv(kPopulationDbVariable);
    UsePopulationStoreBesideRegister(QStringLiteral("srv:/data/register.fdb"));
    QVERIFY(!qEnvironmentVariableIsSet(kPopulationDbVariable));
    UsePopulationStoreBesideRegister(QStringLiteral("/data/reg/register.fdb"));
    QCOMPARE(qEnvironmentVariable(kPopulationDbVariable), QStringLiteral("/data/reg/population.sqlite"));
    UsePopulationStoreBesideRegister(QStringLiteral("/other/register.fdb"));  // a set variable stays
    QCOMPARE(qEnvironmentVariable(kPopulationDbVariable), QStringLiteral("/data/reg/population.sqlite"));
    qunsetenv(kPopulationDbVariable);
  }
};

QTEST_GUILESS_MAIN(TestPersonInfo)
#include "test_person_info.moc"
