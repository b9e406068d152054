// The ranking run over a real register: the rights refusal and the cancelled window change
// nothing; a confirmed run refreshes every card (a missing year of inclusion filled from the
// group date) and shows the ranked list with its members and order; the stored places and
// notes; a card that stops the refresh or the place storing leaves nothing of the run, the
// please-wait window closed and the list open.
#include <QListWidget>
#include <QtTest>
#include <map>

#include "classification/ranking_criteria.h"
#include "classification/ranking_progress.h"
#include "classification/refresh_classifications.h"
#include "classification/store_ranking_places.h"
#include "classification/ui/klas_form.h"
#include "classification/ui/ranking_run.h"
#include "classification/update_card_classification.h"
#include "controls.h"
#include "core/clock.h"
#include "data/data_module.h"
#include "data/firebird/statement.h"
#include "recording_messages.h"
#include "register/register_tabs.h"
#include "temp_register.h"
#include "test_egn.h"

// The fixture cards name only the cells that matter to a case; the rest keep their defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace {
const QDateTime kNow(QDate(2026, 12, 9), QTime(11, 30));

struct CardSpec {
  int regNum = 0;
  int status = 1;
  int grupa = 1;  // GROUP1 row 1: "2.засегнати от ново строителство"
  QVariant pointsYear = 2024;
  QDate grupaDate = QDate(2009, 6, 15);
  int points = 0;
  QVariant pointsDescr;
  int onlyParent = 0;
  int youngFamily = 0;
  int hardLife = 0;
  QDate regDate = QDate(2009, 1, 1);
  QVariant sysNotes;
};

int AddCard(TDataModule1& data, const CardSpec& c) {
  Statement card(data.Db(), QStringLiteral(
      "insert into RGS_CARD (REG_NUM, REGDATE, ADRESS, GROUP1, GRUPA, GRUPA_DATE, GROUP2, STATUS, ADD_USER, "
      "POINTS_YEAR, POINTS, POINTS_DESCR, ONLY_PARENT, YOUNG_FAMILY, HARD_LIFE, KIDS, KIDS_AGE, N_INVALIDS, SYS_NOTES) "
      "values (?, ?, 'адрес', ?, ?, ?, 0, ?, 'clerk', ?, ?, ?, ?, ?, ?, 0, 0, 0, ?) returning CARD_ID"));
  card.BindAll({c.regNum, c.regDate, c.grupa + 1, c.grupa, c.grupaDate, c.status, c.pointsYear, c.points, c.pointsDescr,
                c.onlyParent, c.youngFamily, c.hardLife, c.sysNotes});
  card.Execute();
  const int cardId = card.Value(0).toInt();
  Statement holder(data.Db(), QStringLiteral(
      "insert into RGS_PERSON (CARD_ID, NAME, EGN, PERSON_TYPE) values (?, ?, ?, 0)"));
  holder.BindAll({cardId, QStringLiteral("Титуляр %1").arg(c.regNum), EgnBornOn(QDate(1970, 1, 1), c.regNum % 1000)});
  holder.Execute();
  return cardId;
}

QList<int> ListedRegNums(TDataModule1& data) {
  QList<int> numbers;
  ListQuery& list = data.MainQuery();
  for (int row = 0; row < list.RowCount(); ++row) numbers << list.Value(row, QStringLiteral("REG_NUM")).toInt();
  return numbers;
}

QVariant CardValue(TDataModule1& data, int regNum, const QString& column) {
  Statement read(data.Db(), QStringLiteral("select %1 from RGS_CARD where REG_NUM = ?").arg(column));
  read.Bind(0, regNum);
  return read.ScalarValue();
}

// Records what the loops report to the please-wait window.
struct RecordingProgress : RankingProgress {
  QString caption;
  int width = 0;
  int steps = 0;
  int lastK = 0, lastN = -1;
  bool ended = false;
  void Begin(const QString& c, int w) override {
    caption = c;
    width = w;
    ended = false;
  }
  void Step(int k, int n) override {
    ++steps;
    lastK = k;
    lastN = n;
  }
  void End() override { ended = true; }
};

// Shows the ranking view as a confirmed run leaves it, without the refresh.
void ShowRankedList(RegisterTabs& tabs) {
  tabs.RankingOrder = RankingCriteriaList().OrderText();
  QVERIFY(tabs.ShowThirdTab(RegisterTabs::kRankingCaption));
}
}  // namespace

class TestRankingRun : public QObject {
  Q_OBJECT
 private slots:
  void cleanup() { SetKlasFormRunner({}); }

  void refusedOrCancelledRunChangesNothing() {
    Clock::FixedNow now(kNow);
    TempRegister reg;
    TDataModule1& data = reg.Data();
    AddCard(data, {.regNum = 1, .pointsYear = QVariant()});
    RegisterTabs tabs(data);
    tabs.OpenAtStart();
    RecordingMessages messages;
    int shown = 0;
    SetKlasFormRunner([&](TKlasForm&) {
      ++shown;
      return int(QDialog::Rejected);
    });

    mClassClick(data, tabs, 4, nullptr);
    QCOMPARE(messages.Texts(), QStringList{QStringLiteral("Потребителят не разполага с достатъчно права")});
    QCOMPARE(messages.shown[0].caption, QStringLiteral("Грешка"));
    QCOMPARE(shown, 0);

    mClassClick(data, tabs, 3, nullptr);
    QCOMPARE(shown, 1);
    QCOMPARE(messages.shown.size(), size_t(1));
    QVERIFY(tabs.RankingOrder.isEmpty());
    QCOMPARE(tabs.Captions().size(), 2);
    QVERIFY(CardValue(data, 1, QStringLiteral("POINTS_YEAR")).isNull());
  }

  void confirmedRunRefreshesAndShowsTheRankedList() {
    Clock::FixedNow now(kNow);
    TempRegister reg;
    TDataModule1& data = reg.Data();
    AddCard(data, {.regNum = 1, .pointsYear = 2025});
    AddCard(data, {.regNum = 2, .pointsYear = QVariant(), .grupaDate = QDate(2020, 3, 1)});  // becomes 2021
    AddCard(data, {.regNum = 3, .pointsYear = QVariant(), .grupaDate = QDate(2026, 3, 1)});  // 2027: next year's
    AddCard(data, {.regNum = 4, .pointsYear = 2027});                                        // next year's
    AddCard(data, {.regNum = 5, .grupa = 0, .pointsYear = 2020});                            // no group
    AddCard(data, {.regNum = 6, .status = 0, .pointsYear = 2020});                           // not in state 1
    AddCard(data, {.regNum = 7, .status = 2, .pointsYear = 2020});
    data.Commit();
    RegisterTabs tabs(data);
    tabs.OpenAtStart();
    RecordingMessages messages;
    SetKlasFormRunner([](TKlasForm& form) {
      Control<QListWidget>(form, "ClassList")->setCurrentRow(3);
      form.sbUpClick();
      return int(QDialog::Accepted);
    });

    mClassClick(data, tabs, 1, nullptr);
    QVERIFY(messages.shown.empty());
    QCOMPARE(tabs.RankingOrder, QStringLiteral("order by POINTS_YEAR, GRUPA,POINTS DESC,KIDS DESC,REGDATE,ONLY_PARENT DESC,"
                                               "N_INVALIDS DESC,YOUNG_FAMILY DESC,HARD_LIFE DESC,KIDS_AGE DESC"));
    QCOMPARE(tabs.Current(), 2);
    QCOMPARE(tabs.CurrentCaption(), QStringLiteral("Класиране"));
    QCOMPARE(data.MainQuery().Line(1), RankedListCondition(2026));
    QCOMPARE(data.MainQuery().Line(2), tabs.RankingOrder);
    QCOMPARE(ListedRegNums(data), QList<int>({2, 1}));  // 2021 before 2025

    // Refreshed and committed: the years are filled in and every card was classified.
    TDataModule1 other;
    other.Connect(reg.Params());
    QCOMPARE(CardValue(other, 2, QStringLiteral("POINTS_YEAR")).toInt(), 2021);
    QCOMPARE(CardValue(other, 3, QStringLiteral("POINTS_YEAR")).toInt(), 2027);
    QCOMPARE(CardValue(other, 6, QStringLiteral("POINTS_DESCR")).toString(), QStringLiteral("Без подгрупа"));
  }

  void rankedOrder() {
    Clock::FixedNow now(kNow);
    TempRegister reg;
    TDataModule1& data = reg.Data();
    // Earlier years first; within a year by group, then points (no subgroup last), then the
    // application date, then each flag with 0 before -1.
    AddCard(data, {.regNum = 10, .pointsYear = 2025, .points = 5});
    AddCard(data, {.regNum = 11, .points = 0, .pointsDescr = QStringLiteral("Без подгрупа")});
    AddCard(data, {.regNum = 12, .points = 3, .onlyParent = -1});
    AddCard(data, {.regNum = 13, .points = 3, .onlyParent = 0});
    AddCard(data, {.regNum = 14, .points = 2, .youngFamily = -1});
    AddCard(data, {.regNum = 15, .points = 2, .youngFamily = 0});
    AddCard(data, {.regNum = 16, .points = 1, .hardLife = -1});
    AddCard(data, {.regNum = 17, .points = 1, .hardLife = 0});
    AddCard(data, {.regNum = 18, .grupa = 0 + 2, .points = 9});  // a later group
    AddCard(data, {.regNum = 19, .grupa = 4, .pointsYear = 2023});
    AddCard(data, {.regNum = 20, .points = 3, .onlyParent = 0, .regDate = QDate(2008, 1, 1)});
    RegisterTabs tabs(data);
    tabs.OpenAtStart();
    ShowRankedList(tabs);
    QCOMPARE(ListedRegNums(data), QList<int>({19, 20, 13, 12, 15, 14, 17, 16, 11, 18, 10}));
  }

  void storedPlacesAndNotes() {
    Clock::FixedNow now(kNow);
    TempRegister reg;
    TDataModule1& data = reg.Data();
    AddCard(data, {.regNum = 1, .grupa = 0 + 1, .points = 5, .pointsDescr = QStringLiteral("Подгрупа 1")});
    AddCard(data, {.regNum = 2, .points = 4, .sysNotes = QStringLiteral("***(clerk/01.02.2020 10:00:00)-> Промяна\r\n")});
    AddCard(data, {.regNum = 3, .grupa = 3, .grupaDate = QDate(2011, 2, 3), .points = 3,
                   .sysNotes = QStringLiteral("1-о място от 01.12.2025 - Група 2 от 15.06.2009")});
    AddCard(data, {.regNum = 4, .pointsYear = 2025, .points = 9, .pointsDescr = QStringLiteral("Подгрупа 9")});
    AddCard(data, {.regNum = 5, .pointsYear = 2025, .grupaDate = QDate(2024, 5, 6)});
    AddCard(data, {.regNum = 6, .status = 0});  // not ranked: left alone
    RegisterTabs tabs(data);
    tabs.OpenAtStart();
    ShowRankedList(tabs);
    QCOMPARE(ListedRegNums(data), QList<int>({1, 2, 3, 4, 5}));

    RecordingProgress progress;
    QCOMPARE(StoreRankingPlaces(data, progress), 5);
    QCOMPARE(progress.caption, QStringLiteral("Попълване на данните от класирането"));
    QCOMPARE(progress.width, 215);
    QCOMPARE(progress.steps, 5);
    QVERIFY(progress.ended);
    QVERIFY(data.MainQuery().IsOpen());
    QCOMPARE(ListedRegNums(data), QList<int>({1, 2, 3, 4, 5}));

    TDataModule1 other;  // committed: another connection sees it
    other.Connect(reg.Params());
    const QStringList expected = {
        QStringLiteral("1-о място от 09.12.2026 - Група 2 от 15.06.2009, oсоб.:Подгрупа 1"),
        QStringLiteral("2-о място от 09.12.2026 - Група 2 от 15.06.2009"),
        QStringLiteral("3-о място от 09.12.2026 - Група 4 от 03.02.2011"),
        QStringLiteral("4-о място от 09.12.2026 - Група 2 от 15.06.2009, oсоб.:Подгрупа 9"),
        QStringLiteral("5-о място от 09.12.2026 - Група 2 от 06.05.2024"),
    };
    for (int i = 0; i < 5; ++i) QCOMPARE(CardValue(other, i + 1, QStringLiteral("CLASSINFO")).toString(), expected[i]);
    QCOMPARE(CardValue(other, 1, QStringLiteral("SYS_NOTES")).toString(), expected[0]);
    QCOMPARE(CardValue(other, 2, QStringLiteral("SYS_NOTES")).toString(),
             QStringLiteral("***(clerk/01.02.2020 10:00:00)-> Промяна\r\n") + expected[1]);
    QCOMPARE(CardValue(other, 3, QStringLiteral("SYS_NOTES")).toString(),
             QStringLiteral("1-о място от 01.12.2025 - Група 2 от 15.06.2009\r") + expected[2]);
    QVERIFY(CardValue(other, 6, QStringLiteral("CLASSINFO")).isNull());
  }

  void notesRule_data() {
    QTest::addColumn<QVariant>("notes");
    QTest::addColumn<QString>("before");  // what comes before the record
    QTest::newRow("NULL") << QVariant() << QString();
    QTest::newRow("empty") << QVariant(QStringLiteral("")) << QString();
    QTest::newRow("text") << QVariant(QStringLiteral("ред")) << QStringLiteral("ред\r");
    QTest::newRow("ends in CR LF") << QVariant(QStringLiteral("ред\r\n")) << QStringLiteral("ред\r\n");
    QTest::newRow("ends in LF") << QVariant(QStringLiteral("ред\n")) << QStringLiteral("ред\n");
    QTest::newRow("ends in CR") << QVariant(QStringLiteral("ред\r")) << QStringLiteral("ред\r");
    QTest::newRow("ends in blank") << QVariant(QStringLiteral("ред ")) << QStringLiteral("ред \r");
  }
  void notesRule() {
    QFETCH(QVariant, notes);
    QFETCH(QString, before);
    Clock::FixedNow now(kNow);
    TempRegister reg;
    TDataModule1& data = reg.Data();
    AddCard(data, {.regNum = 1, .sysNotes = notes});
    RegisterTabs tabs(data);
    tabs.OpenAtStart();
    ShowRankedList(tabs);
    NoRankingProgress progress;
    StoreRankingPlaces(data, progress);
    QCOMPARE(CardValue(data, 1, QStringLiteral("SYS_NOTES")).toString(),
             before + QStringLiteral("1-о място от 09.12.2026 - Група 2 от 15.06.2009"));
  }

  void groupWithoutDigitStopsStoringAndKeepsNothing() {
    Clock::FixedNow now(kNow);
    TempRegister reg;
    TDataModule1& data = reg.Data();
    AddCard(data, {.regNum = 1, .points = 5});
    AddCard(data, {.regNum = 2, .grupa = 3, .points = 4});
    data.Db().ExecuteImmediate(QStringLiteral("update NOM set GROUP1 = 'Гр. четвърта' where N = 3"));
    data.Commit();
    RegisterTabs tabs(data);
    tabs.OpenAtStart();
    ShowRankedList(tabs);
    RecordingProgress progress;
    try {
      StoreRankingPlaces(data, progress);
      QFAIL("stored");
    } catch (const std::runtime_error& error) {
      QVERIFY(QString::fromUtf8(error.what()).contains(QStringLiteral("рег. № 2")));
    }
    QVERIFY(progress.ended);
    QVERIFY(data.MainQuery().IsOpen());
    QCOMPARE(ListedRegNums(data), QList<int>({1, 2}));
    QVERIFY(CardValue(data, 1, QStringLiteral("CLASSINFO")).isNull());  // place 1 rolled back too
  }

  void refreshWritesWhatTheCardByCardUpdateWrites() {
    Clock::FixedNow now(kNow);
    TempRegister reg;
    TDataModule1& data = reg.Data();
    auto member = [&](int cardId, int role, const QDate& birth, const QVariant& invProc = {},
                      const QVariant& invDate = {}) {
      Statement insert(data.Db(), QStringLiteral("insert into RGS_PERSON (CARD_ID, NAME, EGN, PERSON_TYPE, INV_PROC, "
                                                 "INV_DATE) values (?, 'Член', ?, ?, ?, ?)"));
      insert.BindAll({cardId, EgnBornOn(birth, 500 + role), role, invProc, invDate});
      insert.Execute();
    };
    const int family = AddCard(data, {.regNum = 1, .pointsYear = QVariant()});
    member(family, 1, QDate(1995, 4, 1));
    member(family, 3, QDate(2015, 2, 3), 90, QStringLiteral("01.01.2030"));
    member(family, 3, QDate(2019, 7, 8));
    member(family, 5, QDate(2026, 11, 1));
    const int single = AddCard(data, {.regNum = 2, .pointsYear = 1960, .grupaDate = QDate(2018, 5, 5)});
    data.Db().ExecuteImmediate(QStringLiteral("update RGS_CARD set ALONE_PARENT = 2, GROUP2 = 3 where REG_NUM = 2"));
    member(single, 3, QDate(2012, 1, 1));
    AddCard(data, {.regNum = 3, .pointsYear = 2020});  // the holder only
    Statement empty(data.Db(), QStringLiteral("insert into RGS_CARD (REG_NUM, REGDATE, ADRESS, GROUP1, GROUP2, STATUS, "
                                              "ADD_USER) values (4, '01.01.2010', 'адрес', 1, 0, 0, 'clerk')"));
    empty.Execute();  // no members at all
    data.Commit();

    const QString columns = QStringLiteral(
        "select REG_NUM, KIDS, POINTS, POINTS_DESCR, POINTS_YEAR, KIDS_AGE, ONLY_PARENT, N_INVALIDS, YOUNG_FAMILY "
        "from RGS_CARD order by REG_NUM");
    auto snapshot = [&] {
      QList<QVariantList> rows;
      Statement read(data.Db(), columns);
      read.Open();
      while (read.Next()) {
        QVariantList row;
        for (int i = 0; i < 9; ++i) row << read.Value(i);
        rows << row;
      }
      return rows;
    };
    Statement ids(data.Db(), QStringLiteral("select CARD_ID from RGS_CARD"));
    ids.Open();
    std::vector<int> cards;
    while (ids.Next()) cards.push_back(ids.Value(0).toInt());
    ids.Close();
    for (int id : cards) UpdateCardClassification(data, id, true);
    const QList<QVariantList> cardByCard = snapshot();
    data.Rollback();

    NoRankingProgress progress;
    QCOMPARE(RefreshAllClassifications(data, progress), 4);
    QCOMPARE(snapshot(), cardByCard);
    QCOMPARE(cardByCard[0][1], QVariant(3));  // the fixture means something: three children
  }

  // The refresh writes only the cards whose classification changed: a second run over an
  // unchanged register leaves every record version alone, and after one card gains a child
  // only that card gets a new version, with what a card-by-card update would write.
  void refreshWritesOnlyChangedCards() {
    Clock::FixedNow now(kNow);
    TempRegister reg;
    TDataModule1& data = reg.Data();
    std::vector<int> cards;
    for (int regNum = 1; regNum <= 4; ++regNum)
      cards.push_back(AddCard(data, {.regNum = regNum, .pointsYear = regNum == 2 ? QVariant() : QVariant(2020)}));
    data.Commit();
    auto versions = [&] {
      std::map<int, qlonglong> byCard;
      Statement read(data.Db(), QStringLiteral("select CARD_ID, RDB$RECORD_VERSION from RGS_CARD"));
      read.Open();
      while (read.Next()) byCard[read.Value(0).toInt()] = read.Value(1).toLongLong();
      read.Close();
      data.Commit();
      return byCard;
    };
    auto classification = [&](int cardId) {
      Statement read(data.Db(), QStringLiteral("select KIDS, POINTS, POINTS_DESCR, POINTS_YEAR, KIDS_AGE, ONLY_PARENT, "
                                               "N_INVALIDS, YOUNG_FAMILY from RGS_CARD where CARD_ID = ?"));
      read.Bind(0, cardId);
      read.Open();
      QVariantList row;
      if (read.Next())
        for (int i = 0; i < 8; ++i) row << read.Value(i);
      read.Close();
      return row;
    };
    NoRankingProgress progress;
    QCOMPARE(RefreshAllClassifications(data, progress), 4);
    const std::map<int, qlonglong> afterFirst = versions();
    QCOMPARE(RefreshAllClassifications(data, progress), 4);
    QCOMPARE(versions(), afterFirst);

    Statement child(data.Db(), QStringLiteral("insert into RGS_PERSON (CARD_ID, NAME, EGN, PERSON_TYPE) "
                                              "values (?, 'Дете', ?, 3)"));
    child.BindAll({cards[2], EgnBornOn(QDate(2016, 3, 3), 777)});
    child.Execute();
    data.Commit();
    std::map<int, qlonglong> before = versions();  // the member count's trigger wrote the card
    QCOMPARE(RefreshAllClassifications(data, progress), 4);
    const std::map<int, qlonglong> after = versions();
    const QVariantList refreshed = classification(cards[2]);
    QVERIFY(after.at(cards[2]) != before.at(cards[2]));
    before.erase(cards[2]);
    for (const auto& [card, version] : before) QCOMPARE(after.at(card), version);
    QCOMPARE(refreshed.at(0), QVariant(1));  // the child counts
    UpdateCardClassification(data, cards[2], true);
    QCOMPARE(classification(cards[2]), refreshed);
    data.Rollback();
  }

  void cardThatStopsTheRefreshKeepsNothing() {
    Clock::FixedNow now(kNow);
    TempRegister reg;
    TDataModule1& data = reg.Data();
    const int good = AddCard(data, {.regNum = 1, .pointsYear = QVariant()});
    const int bad = AddCard(data, {.regNum = 2});
    Q_UNUSED(good);
    Statement member(data.Db(), QStringLiteral("insert into RGS_PERSON (CARD_ID, NAME, EGN, PERSON_TYPE, INV_PROC, "
                                               "INV_DATE) values (?, 'Дете', ?, 3, 80, 'утре')"));
    member.BindAll({bad, EgnBornOn(QDate(2015, 1, 1))});
    member.Execute();
    data.Commit();
    RegisterTabs tabs(data);
    tabs.OpenAtStart();
    RecordingProgress progress;
    try {
      RefreshAllClassifications(data, progress);
      QFAIL("refreshed");
    } catch (const DbError& error) {
      QVERIFY(error.Message().contains(QStringLiteral("утре")));
    }
    QCOMPARE(progress.caption, QStringLiteral("Попълване на данните"));
    QCOMPARE(progress.width, 140);
    QVERIFY(progress.ended);
    QVERIFY(data.MainQuery().IsOpen());
    QCOMPARE(ListedRegNums(data), QList<int>({1, 2}));
    // Card 2 is the newest, so it came first and stopped the run before card 1 was written.
    QVERIFY(CardValue(data, 1, QStringLiteral("POINTS_YEAR")).isNull());
    QCOMPARE(progress.steps, 1);

    // Without the bad card the run goes through every card.
    data.Db().ExecuteImmediate(QStringLiteral("update RGS_PERSON set INV_DATE = '01.01.2030' where PERSON_TYPE = 3"));
    data.Commit();
    RecordingProgress second;
    QCOMPARE(RefreshAllClassifications(data, second), 2);
    QCOMPARE(second.steps, 2);
    QCOMPARE(second.lastK, 2);
    QCOMPARE(second.lastN, 2);
    QCOMPARE(CardValue(data, 1, QStringLiteral("POINTS_YEAR")).toInt(), 2010);
    QCOMPARE(CardValue(data, 2, QStringLiteral("N_INVALIDS")).toInt(), 1);
  }
};

QTEST_MAIN(TestRankingRun)
#include "test_ranking_run.moc"
