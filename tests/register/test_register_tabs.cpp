// The register list's views behind the tab strip: searches, the fall-back after a statement
// the database rejects, the ranking view and its ordering.
#include <QClipboard>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QtTest>

#include "core/clock.h"
#include "data/card_table.h"
#include "data/data_module.h"
#include "data/firebird/statement.h"
#include "recording_messages.h"
#include "register/register_tabs.h"
#include "temp_register.h"
#include "test_card.h"

namespace {
void AddCard(TDataModule1& data, int regNum, int status, const QString& name) {
  TestCard(regNum)
      .Set(card_table::kGrupa, 1)
      .Set(card_table::kStatus, status)
      .Set(card_table::kPointsYear, 2020)
      .Person(name)
      .Insert(data);
}

QList<int> RegNums(TDataModule1& data) {
  QList<int> numbers;
  ListQuery& list = data.MainQuery();
  for (int row = 0; row < list.RowCount(); ++row) numbers << list.Value(row, QStringLiteral("REG_NUM")).toInt();
  return numbers;
}

const QString kBroken = QStringLiteral("and( upper(P.NAME) LIKE '%Д'АРК%')");
}  // namespace

class TestRegisterTabs : public QObject {
  Q_OBJECT
 private:
  std::unique_ptr<TempRegister> reg_;

 private slots:
  void init() {
    reg_ = std::make_unique<TempRegister>();
    TDataModule1& data = reg_->Data();
    AddCard(data, 3, 1, QStringLiteral("Иванова"));
    AddCard(data, 1, 0, QStringLiteral("Петров"));
    AddCard(data, 2, 1, QStringLiteral("Стоянова"));
  }
  void cleanup() { reg_.reset(); }

  void searchShowsTheResultAndPutsTheStatementOnTheClipboard() {
    TDataModule1& data = reg_->Data();
    RegisterTabs tabs(data);
    tabs.OpenAtStart();
    QCOMPARE(data.MainQuery().Line(1), QStringLiteral("and P.PERSON_TYPE = 0 "));
    QCOMPARE(RegNums(data), QList<int>({1, 2, 3}));

    tabs.Search(QStringLiteral("and( upper(P.NAME) LIKE '%ОВА%')"), QStringLiteral("Търсене:ОВА"), true);
    QCOMPARE(tabs.Current(), 1);
    QCOMPARE(tabs.Captions(), QStringList({"Всички", "Търсене:ОВА"}));
    QCOMPARE(RegNums(data), QList<int>({2, 3}));
    QCOMPARE(QGuiApplication::clipboard()->text(), data.MainQuery().Sql());
    QVERIFY(QGuiApplication::clipboard()->text().contains(QStringLiteral("LIKE '%ОВА%'")));

    // Nothing asked for while on the search tab: back to the whole register.
    tabs.Search(QStringLiteral("and P.PERSON_TYPE = 0 "), QStringLiteral("Търсене"), false);
    QCOMPARE(tabs.Current(), 0);
    QCOMPARE(data.MainQuery().Line(1), QStringLiteral("and person_type=0"));
    QCOMPARE(data.MainQuery().Line(2), QStringLiteral("order by REG_NUM"));
    QCOMPARE(RegNums(data), QList<int>({1, 2, 3}));
  }

  void rejectedStatementFallsBackAndRefusesTheTab() {
    TDataModule1& data = reg_->Data();
    RegisterTabs tabs(data);
    tabs.OpenAtStart();
    RecordingMessages messages;
    tabs.Search(kBroken, QStringLiteral("Търсене:Д'АРК"), true);
    QCOMPARE(tabs.Current(), 0);  // the change was refused
    QCOMPARE(messages.shown.size(), size_t(1));
    QCOMPARE(messages.shown[0].caption, QStringLiteral("Грешка"));
    QCOMPARE(messages.shown[0].icon, MessageIcon::Error);
    QVERIFY(!messages.shown[0].text.isEmpty());
    QVERIFY(data.MainQuery().IsOpen());
    QCOMPARE(data.MainQuery().Line(1), QString());  // from tab 0: the whole register
    QCOMPARE(RegNums(data).size(), 3);

    // Already on the search tab: the error goes to the caller and the list stays closed.
    tabs.Search(QStringLiteral("and C.STATUS = 1"), QStringLiteral("Търсене:Включен"), true);
    QCOMPARE(tabs.Current(), 1);
    QVERIFY_THROWS_EXCEPTION(DbError, tabs.Search(kBroken, QStringLiteral("Търсене:Д'АРК"), true));
    QVERIFY(!data.MainQuery().IsOpen());

    // From another tab than 0 the fall-back shows the cards in state 0.
    tabs.RankingOrder = QStringLiteral("order by POINTS_YEAR, GRUPA");
    QVERIFY(tabs.ShowThirdTab(RegisterTabs::kRankingCaption));
    tabs.Search(kBroken, QStringLiteral("Търсене:Д'АРК"), true);
    QCOMPARE(tabs.Current(), 2);
    QCOMPARE(data.MainQuery().Line(1), QStringLiteral("and c.status=0"));
    QCOMPARE(RegNums(data), QList<int>({1}));
  }

  void rankingViewAndASearchThatKeepsItsOrder() {
    Clock::FixedNow now(QDateTime(QDate(2026, 12, 10), QTime(9, 0)));
    TDataModule1& data = reg_->Data();
    RegisterTabs tabs(data);
    QSignalSpy exportCaption(&tabs, &RegisterTabs::ExportCaptionChanged);
    tabs.OpenAtStart();
    tabs.RankingOrder = QStringLiteral("order by POINTS_YEAR, REG_NUM DESC");
    QVERIFY(tabs.ShowThirdTab(RegisterTabs::kRankingCaption));
    QCOMPARE(tabs.Captions().size(), 3);
    QCOMPARE(data.MainQuery().Line(1),
             QStringLiteral("and person_type=0 and c.status=1 and c.grupa<>0 and POINTS_YEAR<=2026"));
    QCOMPARE(RegNums(data), QList<int>({3, 2}));
    QCOMPARE(exportCaption.last().at(0).toString(), QStringLiteral("Отпечатване"));

    tabs.Search(QStringLiteral("and P.PERSON_TYPE = 0 and C.STATUS = 1"), QStringLiteral("Търсене:Включен"), true);
    QCOMPARE(tabs.Current(), 1);
    QCOMPARE(tabs.Captions().size(), 2);  // the third tab is gone
    QCOMPARE(data.MainQuery().Line(2), QStringLiteral("order by POINTS_YEAR, REG_NUM DESC"));
    QCOMPARE(RegNums(data), QList<int>({3, 2}));
    QCOMPARE(exportCaption.last().at(0).toString(), QStringLiteral("Справка"));

    QVERIFY(tabs.SetCurrent(0));
    QCOMPARE(data.MainQuery().Line(2), QStringLiteral("order by REG_NUM"));
  }
};

QTEST_MAIN(TestRegisterTabs)
#include "test_register_tabs.moc"
