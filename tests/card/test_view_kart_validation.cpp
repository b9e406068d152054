// The checks before a card is saved from the card window: amounts of money as typed under a
// locale, and which message the user sees when several checks fail.
#include <QtTest>

#include "card/view_kart_validation.h"

namespace {
const QString kGroup = QStringLiteral("Моля въведете групата на семейството");
const QString kSubGroup = QStringLiteral("Моля въведете подгрупата на семейството");
const QString kIncome = QStringLiteral("Моля, въведете валиден доход");
const QString kHalfYear = QStringLiteral("Моля, въведете валиден доход за половин година");
const QString kPerPerson = QStringLiteral("Моля, въведете валиден доход на член от семейството");
const QString kMembers = QStringLiteral("Моля  въведете членовете на семейството");

// A card that passes every check.
CardForm ValidForm() {
  CardForm form;
  form.cbGroup = {1, QStringLiteral("Група 1")};
  form.cbsubGroup = {0, QStringLiteral("Без подгрупа")};
  form.ebIncome = form.ebIncomeHalfYear = form.ebIncPerPerson = QStringLiteral("0");
  MemberRow holder;
  holder.type = QStringLiteral("Титуляр");
  holder.name = QStringLiteral("Иван Иванов");
  holder.egn = QStringLiteral("7501010004");
  form.members = {holder};
  form.MembersEmpty = false;
  return form;
}
}  // namespace

class TestViewKartValidation : public QObject {
  Q_OBJECT

 private slots:
  void currency_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<double>("value");
    QTest::newRow("bg comma") << "bg_BG" << "1234,56" << true << 1234.56;
    QTest::newRow("bg four decimals") << "bg_BG" << "0,1234" << true << 0.1234;
    QTest::newRow("bg five decimals") << "bg_BG" << "0,12345" << false << 0.0;
    QTest::newRow("bg whole") << "bg_BG" << "1200" << true << 1200.0;
    QTest::newRow("bg blanks around") << "bg_BG" << " 15,5 " << true << 15.5;
    QTest::newRow("bg negative") << "bg_BG" << "-3,5" << true << -3.5;
    QTest::newRow("bg point is not its separator") << "bg_BG" << "12.5" << false << 0.0;
    QTest::newRow("bg two separators") << "bg_BG" << "1,2,3" << false << 0.0;
    QTest::newRow("bg letters") << "bg_BG" << "12лв" << false << 0.0;
    QTest::newRow("bg empty") << "bg_BG" << "" << false << 0.0;
    QTest::newRow("bg separator alone") << "bg_BG" << "," << false << 0.0;
    QTest::newRow("C point") << "C" << "99.99" << true << 99.99;
    QTest::newRow("C comma is not its separator") << "C" << "99,99" << false << 0.0;
    QTest::newRow("C exponent") << "C" << "1e3" << false << 0.0;
  }
  void currency() {
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(double, value);
    const std::optional<double> read = ReadCurrency(text, QLocale(locale));
    QCOMPARE(read.has_value(), valid);
    if (valid) QCOMPARE(*read, value);
  }

  // Every failing check replaces the message before it: only the last one is shown.
  void lastFailingCheckWins_data() {
    QTest::addColumn<QStringList>("broken");
    QTest::addColumn<QString>("message");
    QTest::newRow("valid") << QStringList{} << QString();
    QTest::newRow("group") << QStringList{"group"} << kGroup;
    QTest::newRow("group and subgroup") << QStringList{"group", "subgroup"} << kSubGroup;
    QTest::newRow("group and income") << QStringList{"group", "income"} << kIncome;
    QTest::newRow("income and half year") << QStringList{"income", "halfYear"} << kHalfYear;
    QTest::newRow("half year and per person") << QStringList{"halfYear", "perPerson"} << kPerPerson;
    QTest::newRow("group and no members") << QStringList{"group", "members"} << kMembers;
    QTest::newRow("everything") << QStringList{"group", "subgroup", "income", "halfYear", "perPerson", "members"}
                                << kMembers;
  }
  void lastFailingCheckWins() {
    QFETCH(QStringList, broken);
    QFETCH(QString, message);
    CardForm form = ValidForm();
    if (broken.contains("group")) form.cbGroup = {-1, QString()};
    if (broken.contains("subgroup")) form.cbsubGroup = {-1, QString()};
    if (broken.contains("income")) form.ebIncome = QStringLiteral("abc");
    if (broken.contains("halfYear")) form.ebIncomeHalfYear = QString();
    if (broken.contains("perPerson")) form.ebIncPerPerson = QStringLiteral("1.2.3");
    if (broken.contains("members")) {
      form.members.clear();
      form.MembersEmpty = true;
    }
    QCOMPARE(CardValidationMessage(form, QLocale::c()), message);
  }
};

QTEST_GUILESS_MAIN(TestViewKartValidation)
#include "test_view_kart_validation.moc"
