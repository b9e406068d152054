// Card states: the note line and how notes grow, setting the state of the current card and
// of every listed card (commit-retaining, names checked first), and the status menu.
#include <QMenu>
#include <QtTest>

#include "commands/state_commands.h"
#include "commands/ui/status_menu.h"
#include "core/clock.h"
#include "data/card_table.h"
#include "data/data_module.h"
#include "data/firebird/statement.h"
#include "temp_register.h"
#include "test_card.h"

namespace {
// A card with one holder (or `holders` of them); returns its key.
int AddCard(TDataModule1& data, int regNum, int status, const QVariant& sysNotes = {}, int holders = 1) {
  TestCard card(regNum);
  card.Set(card_table::kRegDate, QDate(2020, 1, 15))
      .Set(card_table::kAdress, QStringLiteral("ул. Витоша %1").arg(regNum))
      .Set(card_table::kGroup1, 1)
      .Set(card_table::kStatus, status)
      .Set(card_table::kSysNotes, sysNotes);
  for (int i = 0; i < holders; ++i) card.Person(QStringLiteral("Титуляр %1").arg(regNum));
  return card.Insert(data);
}

struct CardRow {
  int status = -1;
  QString notes;
  bool notesNull = true;
};

CardRow ReadCard(TDataModule1& data, int cardId) {
  Statement query(data.Db(), QStringLiteral("select STATUS, SYS_NOTES from RGS_CARD where CARD_ID = ?"));
  query.Bind(0, cardId);
  query.Open();
  CardRow row;
  if (query.Next()) row = {query.Value(0).toInt(), query.Value(1).toString(), query.IsNull(1)};
  query.Close();
  return row;
}

void OpenList(TDataModule1& data, const QString& condition = {}) {
  data.MainQuery().SetCondition(condition);
  data.MainQuery().SetOrdering(QStringLiteral(" order by REG_NUM"));
  data.MainQuery().Open();
}

// The state names as the code list gives them: CHAR(50) cells, blank-padded, so a collapsed
// name keeps one trailing blank.
const QString kEnlisted = QStringLiteral("Включен в списъка ");
const QString kPostponed = QStringLiteral("Отложен ");
}  // namespace

class TestCommandsStates : public QObject {
  Q_OBJECT
 private slots:
  void noteLineText() {
    const QString line = ComposeStateNote(QStringLiteral("clerk1"), QDateTime(QDate(2014, 3, 5), QTime(10, 22, 41)),
                                          QStringLiteral("Картотекиран") + QString(38, u' '),
                                          QStringLiteral("Включен   в списъка"));
    QCOMPARE(line, QStringLiteral("***(clerk1/05.03.2014 10:22:41)-> Промяна на състояние от Картотекиран  на "
                                  "Включен в списъка"));
    // Midnight keeps its time; single-digit days and months keep their zeros.
    QCOMPARE(ComposeStateNote(QStringLiteral("a"), QDateTime(QDate(2021, 1, 2), QTime(0, 0)), QStringLiteral("X"),
                              QStringLiteral("Y")),
             QStringLiteral("***(a/02.01.2021 00:00:00)-> Промяна на състояние от X на Y"));
  }

  void prependNoteLine_data() {
    QTest::addColumn<QString>("notes");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no notes") << QString() << QStringLiteral("N\r\n");
    QTest::newRow("one line without break") << QStringLiteral("a") << QStringLiteral("N\r\na\r\n");
    QTest::newRow("CR LF lines") << QStringLiteral("a\r\nb\r\n") << QStringLiteral("N\r\na\r\nb\r\n");
    QTest::newRow("LF and CR breaks") << QStringLiteral("a\nb\rc") << QStringLiteral("N\r\na\r\nb\r\nc\r\n");
    QTest::newRow("empty line kept") << QStringLiteral("a\r\n\r\nb\r\n") << QStringLiteral("N\r\na\r\n\r\nb\r\n");
    QTest::newRow("only a break") << QStringLiteral("\r\n") << QStringLiteral("N\r\n\r\n");
  }
  void prependNoteLine() {
    QFETCH(QString, notes);
    QFETCH(QString, expected);
    QCOMPARE(PrependNoteLine(notes, QStringLiteral("N")), expected);
  }

  // The current card gets its state and a first note line; the change is committed with the
  // transaction retained, so the list stays open and another user sees it at once.
  void setStatusOfCurrentCard() {
    TempRegister reg;
    TDataModule1& data = reg.Data();
    data.SetCurrentUser(QStringLiteral("clerk1"), 1);
    const int untouched = AddCard(data, 1, 0);
    const int card = AddCard(data, 2, 1, QStringLiteral("стара бележка\r\nвтора\r\n"));
    data.Commit();
    OpenList(data);
    QVERIFY(data.MainQuery().Locate(QStringLiteral("REG_NUM"), 2));

    Clock::FixedNow now(QDateTime(QDate(2014, 3, 5), QTime(10, 22, 41)));
    QCOMPARE(SetSTATUS(data, 2), 1);
    const QString line = QStringLiteral("***(clerk1/05.03.2014 10:22:41)-> Промяна на състояние от ") + kEnlisted +
                         QStringLiteral(" на ") + kPostponed;
    QCOMPARE(ReadCard(data, card).status, 2);
    QCOMPARE(ReadCard(data, card).notes, line + QStringLiteral("\r\nстара бележка\r\nвтора\r\n"));
    QVERIFY(data.MainQuery().IsOpen());
    QVERIFY(data.Tr().IsActive());
    QCOMPARE(data.MainQuery().CurrentRow(), 1);

    TDataModule1 other;
    other.Connect(reg.Params());
    QCOMPARE(ReadCard(other, card).status, 2);
    QVERIFY(ReadCard(other, card).notes.startsWith(line + QStringLiteral("\r\n")));
    QCOMPARE(ReadCard(other, untouched).status, 0);
    QVERIFY(ReadCard(other, untouched).notesNull);
  }

  // Setting the state a card already has still leaves a line naming it twice. The old state
  // comes from the card itself, not from the list fetched before the first change.
  void sameStateStillAddsLine() {
    TempRegister reg;
    TDataModule1& data = reg.Data();
    data.SetCurrentUser(QStringLiteral("clerk2"), 2);
    const int card = AddCard(data, 7, 1);
    OpenList(data);
    {
      Clock::FixedNow now(QDateTime(QDate(2022, 11, 30), QTime(8, 5, 9)));
      SetSTATUS(data, 2);
    }
    Clock::FixedNow later(QDateTime(QDate(2022, 11, 30), QTime(8, 6, 0)));
    SetSTATUS(data, 2);
    const QString prefix = QStringLiteral("Промяна на състояние от ");
    QCOMPARE(ReadCard(data, card).notes,
             QStringLiteral("***(clerk2/30.11.2022 08:06:00)-> ") + prefix + kPostponed + QStringLiteral(" на ") +
                 kPostponed + QStringLiteral("\r\n***(clerk2/30.11.2022 08:05:09)-> ") + prefix + kEnlisted +
                 QStringLiteral(" на ") + kPostponed + QStringLiteral("\r\n"));
  }

  // After a search only the listed cards change, each noting its own old state; a card
  // listed twice (two holder rows) changes once.
  void setAllStatusOnSearchResult() {
    TempRegister reg;
    TDataModule1& data = reg.Data();
    data.SetCurrentUser(QStringLiteral("clerk1"), 1);
    const int a = AddCard(data, 1, 1);
    const int b = AddCard(data, 2, 0, QStringLiteral("бележка"));
    const int c = AddCard(data, 3, 3, {}, 2);
    const int outside = AddCard(data, 4, 1);
    data.Commit();
    OpenList(data, QStringLiteral("and C.REG_NUM < 4"));
    QCOMPARE(data.MainQuery().RowCount(), 4);

    Clock::FixedNow now(QDateTime(QDate(2014, 3, 5), QTime(10, 22, 41)));
    QCOMPARE(SetALLSTATUS(data, 4), 3);
    const QString head = QStringLiteral("***(clerk1/05.03.2014 10:22:41)-> Промяна на състояние от ");
    const QString tail = QStringLiteral(" на Получил жилище \r\n");
    QCOMPARE(ReadCard(data, a).notes, head + kEnlisted + tail);
    QCOMPARE(ReadCard(data, b).notes, head + QStringLiteral("Картотекиран ") + tail + QStringLiteral("бележка\r\n"));
    QCOMPARE(ReadCard(data, c).notes, head + QStringLiteral("Изключен от списъка ") + tail);
    QVERIFY(data.MainQuery().IsOpen());

    TDataModule1 other;
    other.Connect(reg.Params());
    for (int card : {a, b, c}) QCOMPARE(ReadCard(other, card).status, 4);
    QCOMPARE(ReadCard(other, outside).status, 1);
    QVERIFY(ReadCard(other, outside).notesNull);
  }

  // A state without a name, old or new, stops the command before any card is written.
  void missingStateNameChangesNothing() {
    TempRegister reg;
    TDataModule1& data = reg.Data();
    const int named = AddCard(data, 1, 1);
    const int unnamed = AddCard(data, 2, 9);  // code 9 has no name
    OpenList(data);

    QVERIFY_THROWS_EXCEPTION(DbError, SetSTATUS(data, 7));      // new state without a name
    QVERIFY_THROWS_EXCEPTION(DbError, SetALLSTATUS(data, 2));   // the second card's old state
    data.MainQuery().SetCurrentRow(1);
    try {
      SetSTATUS(data, 2);
      QFAIL("a state without a name was accepted");
    } catch (const DbError& error) {
      QVERIFY(error.Message().contains(QStringLiteral("9")));
    }
    QCOMPARE(ReadCard(data, named).status, 1);
    QVERIFY(ReadCard(data, named).notesNull);
    QCOMPARE(ReadCard(data, unnamed).status, 9);
    QVERIFY(ReadCard(data, unnamed).notesNull);
  }

  void statusMenuTicksCurrentCardsState() {
    TempRegister reg;
    TDataModule1& data = reg.Data();
    AddCard(data, 1, 0);
    AddCard(data, 2, 2);
    OpenList(data);
    data.MainQuery().SetCurrentRow(1);

    const std::vector<StatusMenuEntry> entries = StatusMenuEntries(data);
    const QStringList names = {"Картотекиран", "Включен в списъка", "Отложен", "Изключен от списъка", "Получил жилище"};
    QCOMPARE(entries.size(), size_t(10));
    for (int i = 0; i < 5; ++i) {
      QCOMPARE(entries[i].caption, names[i]);
      QCOMPARE(entries[i].code, i);
      QVERIFY(!entries[i].forAll);
      QCOMPARE(entries[i].checked, i == 2);
      QCOMPARE(entries[i + 5].caption, QStringLiteral("За Всички - ") + names[i]);
      QCOMPARE(entries[i + 5].code, i);
      QVERIFY(entries[i + 5].forAll);
      QVERIFY(!entries[i + 5].checked);
    }

    // An empty list ticks nothing (there is no card with key 0).
    data.MainQuery().SetCondition(QStringLiteral("and 1 = 0"));
    data.MainQuery().Close();
    data.MainQuery().Open();
    for (const StatusMenuEntry& entry : StatusMenuEntries(data)) QVERIFY(!entry.checked);

    // The menu: radio items for the states, plain ones for every card; a choice reports its entry.
    QMenu menu;
    menu.addAction(QStringLiteral("old entry"));
    std::vector<StatusMenuEntry> chosen;
    FillStatusMenu(menu, entries, [&](const StatusMenuEntry& entry) { chosen.push_back(entry); });
    FillStatusMenu(menu, entries, [&](const StatusMenuEntry& entry) { chosen.push_back(entry); });
    const QList<QAction*> actions = menu.actions();
    QCOMPARE(actions.size(), 10);
    QVERIFY(actions[2]->isCheckable() && actions[2]->isChecked());
    QVERIFY(actions[3]->isCheckable() && !actions[3]->isChecked());
    QVERIFY(!actions[7]->isCheckable());
    actions[3]->trigger();
    QVERIFY(actions[3]->isChecked() && !actions[2]->isChecked());  // one tick at a time
    actions[7]->trigger();
    QCOMPARE(chosen.size(), size_t(2));
    QCOMPARE(chosen[0].code, 3);
    QVERIFY(!chosen[0].forAll);
    QCOMPARE(chosen[1].code, 2);
    QVERIFY(chosen[1].forAll);
  }
};

QTEST_MAIN(TestCommandsStates)
#include "test_commands_states.moc"
