// Converting a register's amounts from leva to euro: the rounding, the cards and their history
// lines, a second run, a dry run, and a search by income per member before and after.
#include <QtTest>
#include <cmath>

#include "adoption/euro_conversion.h"
#include "core/euro_amount.h"
#include "data/data_module.h"
#include "data/firebird/statement.h"
#include "data/register_settings.h"
#include "search/search_condition.h"
#include "temp_register.h"

namespace {
// A card with the three amounts (NaN for none) and a holder.
void AddCard(Database& db, int regNum, double income, double half, double perPerson) {
  auto amount = [](double value) { return std::isnan(value) ? QVariant() : QVariant(value); };
  Statement card(db, QStringLiteral("insert into RGS_CARD (REG_NUM, REGDATE, ADRESS, GROUP1, GRUPA, GROUP2, STATUS, "
                                    "ADD_USER, INCOME, INCOME_HALF_YEAR, INCOME_PER_PERSON) "
                                    "values (?, '01.02.2020', 'ул. Роза 5', 2, 1, 0, 1, 'Default', ?, ?, ?) "
                                    "returning CARD_ID"));
  card.BindAll({regNum, amount(income), amount(half), amount(perPerson)});
  card.Execute();
  Statement person(db, QStringLiteral("insert into RGS_PERSON (CARD_ID, NAME, EGN, PERSON_TYPE) values (?,?,?,0)"));
  person.BindAll({card.Value(0), QStringLiteral("Титуляр %1").arg(regNum), QStringLiteral("7501010004")});
  person.Execute();
}

QVariant Cell(TDataModule1& data, const QString& sql) {
  Statement query(data.Db(), sql);
  return query.ScalarValue();
}

// The registration numbers the register search finds by income per member.
QList<int> FoundByIncomePerMember(TDataModule1& data, const QString& from, const QString& to) {
  SearchCriteria criteria;
  criteria.SetTicked(19, true);
  criteria.sIncFrom = from;
  criteria.sIncTo = to;
  const SearchOutcome outcome = BuildSearch(criteria, [](const QString&, const QString&) { return 0; });
  data.MainQuery().SetCondition(outcome.condition);
  data.MainQuery().Open();
  QList<int> found;
  for (int row = 0; row < data.MainQuery().RowCount(); ++row)
    found << data.MainQuery().Value(row, QStringLiteral("REG_NUM")).toInt();
  data.MainQuery().Close();
  std::sort(found.begin(), found.end());
  return found;
}
}  // namespace

class TestEuroConversion : public QObject {
  Q_OBJECT
 private slots:
  void roundsEachAmountToTheCent_data() {
    QTest::addColumn<double>("leva");
    QTest::addColumn<double>("euro");
    QTest::newRow("zero") << 0.0 << 0.0;
    QTest::newRow("one stotinka") << 0.01 << 0.01;
    QTest::newRow("ten stotinki") << 0.1 << 0.05;
    QTest::newRow("the rate itself") << 1.95583 << 1.0;
    QTest::newRow("a hundred") << 100.0 << 51.13;
    QTest::newRow("half a cent exactly rounds up") << 0.00977915 << 0.01;
    QTest::newRow("just under half a cent") << 0.00977914 << 0.0;
    QTest::newRow("an income") << 2500.50 << 1278.49;
    QTest::newRow("binary neighbour of the decimal") << 123456.785 << 63122.45;
    QTest::newRow("a billion") << 1e9 << 511291881.20;
    QTest::newRow("the largest with cents") << 999999999999.99 << 511291881196.21;
    QTest::newRow("a debt") << -100.0 << -51.13;
  }
  void roundsEachAmountToTheCent() {
    QFETCH(double, leva);
    QFETCH(double, euro);
    const auto converted = LevaToEuro(leva);
    QVERIFY(converted.has_value());
    // The stored figure is the double nearest to the cents, as if typed.
    QCOMPARE(QString::number(*converted, 'f', 2), QString::number(euro, 'f', 2));
    QCOMPARE(*converted, std::round(euro * 100) / 100);
  }

  void refusesWhatIsNoAmount() {
    QVERIFY(!LevaToEuro(2e13).has_value());
    QVERIFY(!LevaToEuro(std::numeric_limits<double>::infinity()).has_value());
    QVERIFY(!LevaToEuro(std::numeric_limits<double>::quiet_NaN()).has_value());
  }

  // Every amount once, NULL left NULL, one history line a card with both figures, the mark
  // set; a second run changes nothing and says so; the search by income per member finds in
  // euro what it found in leva at the converted bounds.
  void convertsTheRegisterOnce() {
    TempRegister reg;
    TDataModule1& data = reg.Data();
    const double none = std::nan("");
    data.BeginWrite();
    data.Db().ExecuteImmediate(QStringLiteral("update NOM set S_INFO = null where N = 4"));
    AddCard(data.Db(), 1, 100, 50, 25);
    AddCard(data.Db(), 2, 1.95583, none, 0.01);
    AddCard(data.Db(), 3, none, none, none);
    AddCard(data.Db(), 4, 60000, 30000, 1000);
    AddCard(data.Db(), 5, 12000, 6000, 3000);  // declared in euro: left as it is
    data.Db().ExecuteImmediate(QStringLiteral("update RGS_CARD set LASTDEK_DATE = '31.12.2025 23:59:00' where REG_NUM = 4"));
    data.Db().ExecuteImmediate(QStringLiteral("update RGS_CARD set LASTDEK_DATE = '01.01.2026' where REG_NUM = 5"));
    data.Commit();
    QVERIFY(!AmountsConvertedToEuro(data));
    QCOMPARE(FoundByIncomePerMember(data, QStringLiteral("20"), QStringLiteral("1000")), (QList<int>{1, 4}));

    data.SetCurrentUser(QStringLiteral("admin"), 7);
    const EuroConversionResult dry = ConvertAmountsToEuro(data, true);
    QCOMPARE(dry.cards, 3);
    QCOMPARE(dry.amounts, 8);
    QCOMPARE(dry.declaredInEuro, QStringList{QStringLiteral("Рег. номер 5: декларация от 01.01.2026")});
    QCOMPARE(Cell(data, QStringLiteral("select INCOME from RGS_CARD where REG_NUM = 1")).toDouble(), 100.0);
    QVERIFY(!AmountsConvertedToEuro(data));

    int progressCalls = 0;
    const EuroConversionResult done = ConvertAmountsToEuro(data, false, [&](int, int) { ++progressCalls; });
    QCOMPARE(done.cards, 3);
    QCOMPARE(done.amounts, 8);
    QVERIFY(progressCalls > 0);
    data.BeginWrite();
    struct Expected {
      int regNum;
      QVariant income, half, perPerson;
    };
    for (const Expected& e : {Expected{1, 51.13, 25.56, 12.78}, Expected{2, 1.0, QVariant(), 0.01},
                              Expected{3, QVariant(), QVariant(), QVariant()}, Expected{4, 30677.51, 15338.76, 511.29},
                              Expected{5, 12000.0, 6000.0, 3000.0}}) {
      Statement row(data.Db(), QStringLiteral("select INCOME, INCOME_HALF_YEAR, INCOME_PER_PERSON from RGS_CARD "
                                              "where REG_NUM = ?"));
      row.Bind(0, e.regNum);
      row.Open();
      QVERIFY(row.Next());
      QCOMPARE(row.Value(0), e.income);
      QCOMPARE(row.Value(1), e.half);
      QCOMPARE(row.Value(2), e.perPerson);
    }
    QVERIFY(AmountsConvertedToEuro(data));
    QCOMPARE(Cell(data, QStringLiteral("select count(*) from INF_LOG where TYPE_T = 'RGS_CARD' and USER_ID = 7")).toInt(), 3);
    const QString line = Cell(data, QStringLiteral("select T_TEXT from INF_LOG L join RGS_CARD C on C.CARD_ID = L.T_ID "
                                                   "where C.REG_NUM = 1")).toString();
    QVERIFY2(line.contains(QStringLiteral("Годишен доход: от 100,00 лв на 51,13 €")), qPrintable(line));
    QVERIFY2(line.contains(QStringLiteral("Доход на член от семейството: от 25,00 лв на 12,78 €")), qPrintable(line));
    // The figure converted is kept whole, not as the two decimals it would show.
    const QString exact = Cell(data, QStringLiteral("select T_TEXT from INF_LOG L join RGS_CARD C on C.CARD_ID = L.T_ID "
                                                    "where C.REG_NUM = 2")).toString();
    QVERIFY2(exact.contains(QStringLiteral("Годишен доход: от 1,95583 лв на 1,00 €")), qPrintable(exact));
    QCOMPARE(FoundByIncomePerMember(data, QStringLiteral("10.23"), QStringLiteral("511.29")), (QList<int>{1, 4}));
    QCOMPARE(FoundByIncomePerMember(data, QStringLiteral("20"), QStringLiteral("1000")), (QList<int>{4}));

    const EuroConversionResult again = ConvertAmountsToEuro(data, false);
    QVERIFY(again.alreadyConverted);
    QCOMPARE(again.cards, 0);
    data.BeginWrite();
    QCOMPARE(Cell(data, QStringLiteral("select INCOME from RGS_CARD where REG_NUM = 1")).toDouble(), 51.13);
    QCOMPARE(Cell(data, QStringLiteral("select count(*) from INF_LOG")).toInt(), 3);
  }

  // One amount that cannot be converted stops the conversion before anything is written.
  void anAmountTooLargeChangesNothing() {
    TempRegister reg;
    TDataModule1& data = reg.Data();
    data.BeginWrite();
    data.Db().ExecuteImmediate(QStringLiteral("update NOM set S_INFO = null where N = 4"));
    AddCard(data.Db(), 1, 100, 50, 25);
    AddCard(data.Db(), 2, 5e15, 0, 0);
    data.Commit();
    data.SetCurrentUser(QStringLiteral("admin"), 7);
    try {
      ConvertAmountsToEuro(data, false);
      QFAIL("the conversion went on");
    } catch (const AppError& error) {
      QVERIFY2(error.Message().contains(QStringLiteral("рег. номер 2")), qPrintable(error.Message()));
    }
    data.BeginWrite();
    QCOMPARE(Cell(data, QStringLiteral("select INCOME from RGS_CARD where REG_NUM = 1")).toDouble(), 100.0);
    QCOMPARE(Cell(data, QStringLiteral("select count(*) from INF_LOG")).toInt(), 0);
    QVERIFY(!AmountsConvertedToEuro(data));
  }
};

QTEST_GUILESS_MAIN(TestEuroConversion)
#include "test_euro_conversion.moc"
