// Deleting the current card (question, members then card, nothing committed) and refreshing
// the register list (full commit, other users' work shown, same card selected again).
#include <QtTest>

#include "commands/delete_card.h"
#include "commands/refresh.h"
#include "data/card_table.h"
#include "data/data_module.h"
#include "data/firebird/statement.h"
#include "recording_messages.h"
#include "temp_register.h"
#include "test_card.h"

namespace {
// A card with a holder and `others` further members; returns its key.
int AddCard(TDataModule1& data, int regNum, int others = 0) {
  TestCard card(regNum);
  card.Set(card_table::kRegDate, QDate(2019, 6, 1))
      .Set(card_table::kAdress, QStringLiteral("ул. Раковски %1").arg(regNum))
      .Set(card_table::kGroup1, 1)
      .Set(card_table::kStatus, 0);
  for (int i = 0; i <= others; ++i)
    card.Person(QStringLiteral("Член %1-%2").arg(regNum).arg(i), QStringLiteral("7501010004"), i == 0 ? 0 : 3);
  return card.Insert(data);
}

int Count(TDataModule1& data, const QString& table, int cardId) {
  Statement query(data.Db(), QStringLiteral("select count(*) from %1 where CARD_ID = ?").arg(table));
  query.Bind(0, cardId);
  return query.ScalarValue().toInt();
}

void OpenList(TDataModule1& data, const QString& ordering = QStringLiteral(" order by REG_NUM")) {
  data.MainQuery().SetCondition({});
  data.MainQuery().SetOrdering(ordering);
  data.MainQuery().Open();
}

int CurrentRegNum(TDataModule1& data) { return data.MainQuery().CurrentValue(QStringLiteral("REG_NUM")).toInt(); }
}  // namespace

class TestCommandsList : public QObject {
  Q_OBJECT
 private slots:
  void deleteAsksAndNoChangesNothing() {
    TempRegister reg;
    TDataModule1& data = reg.Data();
    const int card = AddCard(data, 41, 2);
    AddCard(data, 42);
    OpenList(data);

    RecordingMessages messages;
    messages.answers.push_back(MessageAnswer::No);
    QVERIFY(!DelClick(data, nullptr));
    QCOMPARE(messages.shown.size(), size_t(1));
    const MessageRequest& question = messages.shown[0];
    QCOMPARE(question.text, QStringLiteral("Сигутни ли сте, че искате да изтриете рег. картон с рег.номер 41 ?"));
    QCOMPARE(question.caption, QStringLiteral("Закриване"));
    QCOMPARE(question.buttons, MessageButtons::YesNo);
    QCOMPARE(question.defaultAnswer, MessageAnswer::No);
    QCOMPARE(Count(data, QStringLiteral("RGS_CARD"), card), 1);
    QCOMPARE(Count(data, QStringLiteral("RGS_PERSON"), card), 3);
    QCOMPARE(data.MainQuery().RowCount(), 2);

    // The default answer is No as well.
    QVERIFY(!DelClick(data, nullptr));
    QCOMPARE(Count(data, QStringLiteral("RGS_CARD"), card), 1);

    // An empty list asks nothing.
    data.MainQuery().SetCondition(QStringLiteral("and 1 = 0"));
    data.MainQuery().Close();
    data.MainQuery().Open();
    QVERIFY(!DelClick(data, nullptr));
    QCOMPARE(messages.shown.size(), size_t(2));
  }

  // Yes removes the card's members and the card and reopens the list; nothing is committed,
  // so a rollback brings the card back.
  void deleteYesRemovesCardUncommitted() {
    TempRegister reg;
    TDataModule1& data = reg.Data();
    const int kept = AddCard(data, 1, 1);
    const int doomed = AddCard(data, 2, 2);
    data.Commit();
    OpenList(data);
    data.MainQuery().SetCurrentRow(1);

    RecordingMessages messages;
    messages.answers.push_back(MessageAnswer::Yes);
    QVERIFY(DelClick(data, nullptr));
    QVERIFY(data.MainQuery().IsOpen());
    QCOMPARE(data.MainQuery().RowCount(), 1);
    QCOMPARE(Count(data, QStringLiteral("RGS_PERSON"), doomed), 0);
    QCOMPARE(Count(data, QStringLiteral("RGS_CARD"), doomed), 0);
    QCOMPARE(Count(data, QStringLiteral("RGS_PERSON"), kept), 2);

    TDataModule1 other;  // another user still sees the card: nothing was committed
    other.Connect(reg.Params());
    QCOMPARE(Count(other, QStringLiteral("RGS_CARD"), doomed), 1);
    other.Disconnect();

    data.Rollback();
    QCOMPARE(Count(data, QStringLiteral("RGS_CARD"), doomed), 1);
    QCOMPARE(Count(data, QStringLiteral("RGS_PERSON"), doomed), 3);
  }

  // The same card stays selected though the order changed, the reopen hook runs with the
  // list open, and the full commit makes this user's work visible to others and theirs here.
  void refreshKeepsCardAndShowsCommittedWork() {
    TempRegister reg;
    TDataModule1& data = reg.Data();
    for (int regNum = 1; regNum <= 4; ++regNum) AddCard(data, regNum);
    data.Commit();
    OpenList(data);
    QCOMPARE(CurrentRegNum(data), 1);

    TDataModule1 other;
    other.Connect(reg.Params());
    const int othersCard = AddCard(other, 9);
    other.Commit();
    const int mine = AddCard(data, 5);  // uncommitted work of this user

    data.MainQuery().SetOrdering(QStringLiteral(" order by REG_NUM desc"));
    int hookCalls = 0;
    bool openInHook = false;
    RefreshList(data, [&] {
      ++hookCalls;
      openInHook = data.MainQuery().IsOpen();
    });
    QCOMPARE(hookCalls, 1);
    QVERIFY(openInHook);
    QCOMPARE(data.MainQuery().RowCount(), 6);
    QCOMPARE(data.MainQuery().CurrentRow(), 5);
    QCOMPARE(CurrentRegNum(data), 1);
    QCOMPARE(data.MainQuery().Value(0, QStringLiteral("REG_NUM")).toInt(), 9);  // the other user's card
    QCOMPARE(data.MainQuery().Value(0, QStringLiteral("CARD_ID")).toInt(), othersCard);

    other.Commit();  // a new snapshot for the other user
    QCOMPARE(Count(other, QStringLiteral("RGS_CARD"), mine), 1);

    // A selected card that is gone after the refresh leaves the first row current.
    Statement remove(other.Db(), QStringLiteral("delete from RGS_PERSON where CARD_ID = ?"));
    remove.Bind(0, othersCard);
    remove.Execute();
    other.Commit();
    data.MainQuery().SetCurrentRow(0);
    RefreshList(data);
    QCOMPARE(data.MainQuery().RowCount(), 5);
    QCOMPARE(CurrentRegNum(data), 5);
  }
};

QTEST_MAIN(TestCommandsList)
#include "test_commands_list.moc"
