// Tests of the stored yes/no codes and truth flags, including NULLs read from the database.
#include <QtTest>

#include "core/yes_no_code.h"

class TestYesNoCode : public QObject {
  Q_OBJECT

 private slots:
  void yesNoCode_data();
  void yesNoCode();
  void fromBool();
  void truthFlag_data();
  void truthFlag();
};

void TestYesNoCode::yesNoCode_data() {
  QTest::addColumn<QVariant>("code");
  QTest::addColumn<bool>("yes");

  QTest::newRow("2") << QVariant(2) << true;
  QTest::newRow("1") << QVariant(1) << false;
  QTest::newRow("0") << QVariant(0) << false;
  QTest::newRow("-1") << QVariant(-1) << false;
  QTest::newRow("3") << QVariant(3) << false;
  QTest::newRow("2 as double") << QVariant(2.0) << true;
  QTest::newRow("invalid") << QVariant() << false;
  QTest::newRow("typed NULL") << QVariant(QMetaType::fromType<int>()) << false;
  QTest::newRow("not a number") << QVariant(QStringLiteral("Да")) << false;
}

void TestYesNoCode::yesNoCode() {
  QFETCH(QVariant, code);
  QFETCH(bool, yes);
  const QString text = yes ? QStringLiteral("Да") : QStringLiteral("Не");
  QCOMPARE(YesNoCodeIsYes(code), yes);
  QCOMPARE(YesNoCodeText(code), text);
  if (code.metaType() == QMetaType::fromType<int>() && !code.isNull()) {
    QCOMPARE(YesNoCodeIsYes(code.toInt()), yes);
    QCOMPARE(YesNoCodeText(code.toInt()), text);
  }
}

void TestYesNoCode::fromBool() {
  QCOMPARE(YesNoCodeFromBool(true), 2);
  QCOMPARE(YesNoCodeFromBool(false), 1);
  QCOMPARE(TruthFlagFromBool(true), -1);
  QCOMPARE(TruthFlagFromBool(false), 0);
  // What is written reads back the same.
  QVERIFY(YesNoCodeIsYes(YesNoCodeFromBool(true)));
  QVERIFY(!YesNoCodeIsYes(YesNoCodeFromBool(false)));
  QVERIFY(TruthFlagIsTrue(TruthFlagFromBool(true)));
  QVERIFY(!TruthFlagIsTrue(TruthFlagFromBool(false)));
}

void TestYesNoCode::truthFlag_data() {
  QTest::addColumn<QVariant>("flag");
  QTest::addColumn<bool>("expected");

  QTest::newRow("-1") << QVariant(-1) << true;
  QTest::newRow("1") << QVariant(1) << true;
  QTest::newRow("7") << QVariant(7) << true;
  QTest::newRow("0") << QVariant(0) << false;
  QTest::newRow("0 as short") << QVariant::fromValue<short>(0) << false;
  QTest::newRow("-1 as short") << QVariant::fromValue<short>(-1) << true;
  QTest::newRow("invalid") << QVariant() << false;
  QTest::newRow("typed NULL") << QVariant(QMetaType::fromType<short>()) << false;
}

void TestYesNoCode::truthFlag() {
  QFETCH(QVariant, flag);
  QFETCH(bool, expected);
  QCOMPARE(TruthFlagIsTrue(flag), expected);
}

QTEST_GUILESS_MAIN(TestYesNoCode)
#include "test_yes_no_code.moc"
