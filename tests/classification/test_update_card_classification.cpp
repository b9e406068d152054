// Writing a card's classification into its row: the columns written, the year-of-inclusion
// rule, an unreadable disability date and a missing key leaving every row as it was, and
// that nothing is committed.
#include <QtTest>

#include "classification/update_card_classification.h"
#include "core/clock.h"
#include "data/data_module.h"
#include "data/firebird/statement.h"
#include "temp_register.h"
#include "test_egn.h"

namespace {
const QDateTime kNow(QDate(2025, 6, 10), QTime(9, 15));
const QDate kToday = kNow.date();

// The classification columns, as one comparable row.
const QString kColumns =
    QStringLiteral("KIDS, POINTS, POINTS_DESCR, POINTS_YEAR, KIDS_AGE, ONLY_PARENT, N_INVALIDS, YOUNG_FAMILY");

int AddCard(TDataModule1& data, int regNum, int group2, const QVariant& aloneParent, const QVariant& pointsYear,
            const QVariant& grupaDate) {
  Statement insert(data.Db(), QStringLiteral(
      "insert into RGS_CARD (REG_NUM, REGDATE, ADRESS, GROUP1, GROUP2, STATUS, ADD_USER, ALONE_PARENT, POINTS_YEAR, "
      "GRUPA_DATE, KIDS, POINTS, POINTS_DESCR, KIDS_AGE, ONLY_PARENT, N_INVALIDS, YOUNG_FAMILY) "
      "values (?, '01.02.2010', 'ул. Тестова 1', 1, ?, 0, 'clerk', ?, ?, ?, 99, 99, 'стара', 99.5, 5, 99, 5) "
      "returning CARD_ID"));
  insert.BindAll({regNum, group2, aloneParent, pointsYear, grupaDate});
  insert.Execute();
  return insert.Value(0).toInt();
}

void AddMember(TDataModule1& data, int cardId, int role, const QDate& birth, const QVariant& invProc = {},
               const QVariant& invDate = {}) {
  Statement insert(data.Db(), QStringLiteral("insert into RGS_PERSON (CARD_ID, NAME, EGN, PERSON_TYPE, INV_PROC, "
                                             "INV_DATE) values (?, 'Лице', ?, ?, ?, ?)"));
  insert.BindAll({cardId, EgnBornOn(birth), role, invProc, invDate});
  insert.Execute();
}

QVariantList ClassificationRow(TDataModule1& data, int cardId) {
  Statement read(data.Db(), QStringLiteral("select %1 from RGS_CARD where CARD_ID = ?").arg(kColumns));
  read.Bind(0, cardId);
  read.Open();
  QVariantList row;
  if (read.Next())
    for (int i = 0; i < 8; ++i) row << read.Value(i);
  return row;
}

QDate Aged(int years) { return kToday.addYears(-years).addDays(-20); }
}  // namespace

class TestUpdateCardClassification : public QObject {
  Q_OBJECT
 private slots:
  void writesTheColumnsOfThatCardOnly() {
    Clock::FixedNow now(kNow);
    TempRegister reg;
    TDataModule1& data = reg.Data();
    const int card = AddCard(data, 1, 2, 1, QVariant(), QDate(2009, 6, 15));
    AddMember(data, card, 0, Aged(38));
    AddMember(data, card, 2, Aged(33), 80, QStringLiteral("01.01.5026"));
    AddMember(data, card, 3, Aged(4));
    AddMember(data, card, 3, Aged(9));
    AddMember(data, card, 5, kToday);
    const int other = AddCard(data, 2, 3, 2, QVariant(), QVariant());
    AddMember(data, other, 0, Aged(20));
    AddMember(data, other, 3, Aged(1));
    const QVariantList otherBefore = ClassificationRow(data, other);
    data.Commit();

    QCOMPARE(UpdateCardClassification(data, card, false), 8);
    QCOMPARE(ClassificationRow(data, card),
             (QVariantList{3, 8, QStringLiteral("Подгрупа 2"), QVariant(), 13.0 / 3.0, 0, 1, -1}));
    QCOMPARE(ClassificationRow(data, other), otherBefore);

    // Runs inside the caller's transaction: rolling it back undoes the write.
    QVERIFY(data.Tr().IsActive());
    data.Rollback();
    QCOMPARE(ClassificationRow(data, card).at(0), QVariant(99));
  }

  void classifierIsReusableAcrossCards() {
    Clock::FixedNow now(kNow);
    TempRegister reg;
    TDataModule1& data = reg.Data();
    const int single = AddCard(data, 1, 0, 2, QVariant(), QDate(2009, 6, 15));
    AddMember(data, single, 0, Aged(30));
    AddMember(data, single, 3, Aged(6));
    const int empty = AddCard(data, 2, 9, 2, 1969, QDate(2011, 1, 1));
    CardClassifier classifier(data.Db());
    QCOMPARE(classifier.Update(single, true), 0);
    QCOMPARE(classifier.Update(empty, true), 1);
    QCOMPARE(classifier.Update(single, true), 0);
    QCOMPARE(ClassificationRow(data, single),
             (QVariantList{1, 0, QStringLiteral("Без подгрупа"), 2010, 6.0, -1, 0, -1}));
    QCOMPARE(ClassificationRow(data, empty), (QVariantList{0, 1, QStringLiteral("Подгрупа 9"), 2012, 0.0, 0, 0, 0}));
  }

  void pointsYearRule_data() {
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QVariant>("grupaDate");
    QTest::addColumn<bool>("setYear");
    QTest::addColumn<QVariant>("expected");
    const QVariant june2009 = QDate(2009, 6, 15);
    QTest::newRow("NULL, asked") << QVariant() << june2009 << true << QVariant(2010);
    QTest::newRow("0, asked") << QVariant(0) << june2009 << true << QVariant(2010);
    QTest::newRow("1969, asked") << QVariant(1969) << june2009 << true << QVariant(2010);
    QTest::newRow("1970, asked") << QVariant(1970) << june2009 << true << QVariant(1970);
    QTest::newRow("2015, asked") << QVariant(2015) << june2009 << true << QVariant(2015);
    QTest::newRow("NULL, no date, asked") << QVariant() << QVariant() << true << QVariant(1900);
    QTest::newRow("NULL, not asked") << QVariant() << june2009 << false << QVariant();
    QTest::newRow("1969, not asked") << QVariant(1969) << june2009 << false << QVariant(1969);
  }
  void pointsYearRule() {
    QFETCH(QVariant, stored);
    QFETCH(QVariant, grupaDate);
    QFETCH(bool, setYear);
    QFETCH(QVariant, expected);
    Clock::FixedNow now(kNow);
    TempRegister reg;
    TDataModule1& data = reg.Data();
    const int card = AddCard(data, 1, 1, 1, stored, grupaDate);
    UpdateCardClassification(data, card, setYear);
    QCOMPARE(ClassificationRow(data, card).at(3), expected);
  }

  void unreadableDisabilityDateChangesNothing() {
    Clock::FixedNow now(kNow);
    TempRegister reg;
    TDataModule1& data = reg.Data();
    const int card = AddCard(data, 1, 2, 2, QVariant(), QDate(2009, 6, 15));
    AddMember(data, card, 0, Aged(30));
    AddMember(data, card, 3, Aged(6), 71, QStringLiteral("x"));
    const QVariantList before = ClassificationRow(data, card);
    try {
      UpdateCardClassification(data, card, true);
      QFAIL("no error");
    } catch (const DbError& error) {
      QCOMPARE(error.Message(), QStringLiteral("'x' is not a valid date"));
    }
    QCOMPARE(ClassificationRow(data, card), before);
  }

  void missingKeyWritesNothing() {
    Clock::FixedNow now(kNow);
    TempRegister reg;
    TDataModule1& data = reg.Data();
    const int card = AddCard(data, 1, 2, 2, QVariant(), QDate(2009, 6, 15));
    AddMember(data, card, 0, Aged(30));
    const QVariantList before = ClassificationRow(data, card);
    QCOMPARE(UpdateCardClassification(data, card + 1, true), 0);
    QCOMPARE(ClassificationRow(data, card), before);
    QCOMPARE(ClassificationRow(data, card + 1), QVariantList{});
  }
};

QTEST_GUILESS_MAIN(TestUpdateCardClassification)
#include "test_update_card_classification.moc"
