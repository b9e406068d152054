// Two workstations, each with its own connection and transaction, on one register served by a
// Firebird server: seeing the other's work only after a refresh, two new cards at once, a
// state change meeting a save, and the action history of both.
#include <QElapsedTimer>
#include <QtTest>
#include <memory>

#include "card/card_save.h"
#include "card/card_stamp.h"
#include "card/members.h"
#include "card_forms.h"
#include "commands/refresh.h"
#include "commands/state_commands.h"
#include "data/action_log.h"
#include "data/data_module.h"
#include "data/firebird/db_error.h"
#include "data/firebird/statement.h"
#include "recording_messages.h"
#include "session/work_session.h"
#include "temp_register.h"

class TestSeveralWorkstations : public QObject {
  Q_OBJECT

  std::optional<TestServerLogin> server_;
  std::unique_ptr<TempRegister> register_;
  std::unique_ptr<TDataModule1> a_;
  std::unique_ptr<TDataModule1> b_;

  std::unique_ptr<TDataModule1> Workstation(const QString& user, int userId) {
    auto data = std::make_unique<TDataModule1>();
    data->Connect(register_->Params());
    data->SetCurrentUser(user, userId);
    return data;
  }
  int SaveNewCard(TDataModule1& data, const QString& holder) {
    RecordingMessages messages;
    CardForm form = NewForm(data, holder);
    const SaveOutcome outcome = SaveCard(data, form, 0, true, 0, {}, nullptr);
    if (!outcome.saved) qWarning() << messages.Texts();
    return outcome.cardId;
  }

 private slots:
  void initTestCase() {
    server_ = LoopbackServer();
    if (!server_) QSKIP(qPrintable(LoopbackServerMissingReason()));
  }
  void init() {
    register_ = std::make_unique<TempRegister>(QStringLiteral("Община Тестова"), server_);
    a_ = Workstation(QStringLiteral("clerk_a"), 1);
    b_ = Workstation(QStringLiteral("clerk_b"), 2);
  }
  void cleanup() {
    a_.reset();
    b_.reset();
    register_.reset();
  }

  // A card saved by one workstation reaches the other's list with its refresh (a full
  // commit), not before: until then the other keeps reading its own snapshot.
  void othersWorkAfterRefresh() {
    b_->MainQuery().Open();
    QCOMPARE(b_->MainQuery().RowCount(), 0);
    const int cardId = SaveNewCard(*a_, QStringLiteral("Иван Петров"));
    QVERIFY(cardId > 0);

    b_->MainQuery().Open();  // reopened inside the same transaction
    QCOMPARE(b_->MainQuery().RowCount(), 0);
    RefreshList(*b_);
    QCOMPARE(b_->MainQuery().RowCount(), 1);
    QCOMPARE(MemberNames(*b_, cardId).value(0), QStringLiteral("Иван Петров"));
  }

  void twoNewCardsAtOnce() { SaveTwoNewCardsAtOnce(*a_, *b_); }

  // One workstation changes the state of every listed card while the other is saving one of
  // them: the change waits for the lock only as long as set, then reports it in the clerk's
  // words and leaves no card changed. Done again, it changes every card; the other's save of
  // the card it loaded before is then refused rather than undo the new state, and after
  // loading the card again both changes stay.
  void stateChangeMeetsASave() {
    const int first = SaveNewCard(*a_, QStringLiteral("Първи Титуляр"));
    const int second = SaveNewCard(*a_, QStringLiteral("Втори Титуляр"));
    Editing editing = Load(*b_, second);
    editing.form.ebAdress = QStringLiteral("ул. Нова 5");

    // The other workstation's save is under way: its update of the card is not committed yet.
    Statement halfSave(b_->Db(), QStringLiteral("update RGS_CARD set ADRESS = ? where CARD_ID = ?"));
    b_->Tr().StartIfNeeded();
    halfSave.BindAll({QStringLiteral("ул. Нова 5"), second});
    halfSave.Execute();

    a_->Tr().SetLockTimeout(1);
    RefreshList(*a_);
    QCOMPARE(a_->MainQuery().RowCount(), 2);
    QElapsedTimer waited;
    waited.start();
    try {
      SetALLSTATUS(*a_, 2);
      QFAIL("the state change went through a locked card");
    } catch (const DbError& error) {
      QVERIFY2(error.Message().startsWith(QString::fromUtf8(kRecordBusyText)), qPrintable(error.Message()));
    }
    QVERIFY(waited.elapsed() < 30000);  // reported, not hung
    b_->Rollback();
    QCOMPARE(Scalar(*b_, QStringLiteral("select count(*) from RGS_CARD where STATUS = 2")).toInt(), 0);

    RefreshList(*a_);
    QCOMPARE(SetALLSTATUS(*a_, 2), 2);

    RecordingMessages messages;
    QVERIFY(!SaveCard(*b_, editing.form, 1, true, second, editing.remembered, nullptr).saved);
    QCOMPARE(messages.Texts(), QStringList{QString::fromUtf8(kCardChangedElsewhere)});
    QCOMPARE(Scalar(*b_, QStringLiteral("select STATUS from RGS_CARD where CARD_ID = ?"), second).toInt(), 2);

    Editing again = Load(*b_, second);
    again.form.ebAdress = QStringLiteral("ул. Нова 5");
    QVERIFY(SaveCard(*b_, again.form, 1, true, second, again.remembered, nullptr).saved);
    QCOMPARE(Scalar(*b_, QStringLiteral("select STATUS from RGS_CARD where CARD_ID = ?"), second).toInt(), 2);
    QVERIFY(Scalar(*b_, QStringLiteral("select SYS_NOTES from RGS_CARD where CARD_ID = ?"), second)
                .toString()
                .contains(QStringLiteral("Промяна на състояние")));
    QCOMPARE(Scalar(*b_, QStringLiteral("select STATUS from RGS_CARD where CARD_ID = ?"), first).toInt(), 2);
  }

  // The connection is lost in the middle of a save (between taking the number and writing
  // the card): the clerk sees the server's message and no part of the card is stored.
  void connectionLostDuringASave() {
    const int lost = Scalar(*a_, QStringLiteral("select current_connection from rdb$database")).toInt();
    a_->Commit();
    SetNewCardNumberHook([&] {
      Exec(*b_, QStringLiteral("delete from mon$attachments where mon$attachment_id = ?"), {lost});
    });
    RecordingMessages messages;
    CardForm form = NewForm(*a_, QStringLiteral("Изгубена Връзка"));
    const SaveOutcome outcome = SaveCard(*a_, form, 0, true, 0, {}, nullptr);
    SetNewCardNumberHook({});
    QVERIFY(!outcome.saved);
    QVERIFY(!messages.shown.empty());
    QVERIFY2(messages.shown.front().text.contains(QStringLiteral("connection shutdown")),
             qPrintable(messages.shown.front().text));
    QVERIFY(form.ebRegNum.isEmpty());
    b_->Commit();
    QCOMPARE(Scalar(*b_, QStringLiteral("select count(*) from RGS_CARD")).toInt(), 0);
    QCOMPARE(Scalar(*b_, QStringLiteral("select count(*) from RGS_PERSON")).toInt(), 0);
    QCOMPARE(Scalar(*b_, QStringLiteral("select count(*) from INF_LOG")).toInt(), 0);
  }

  // Both workstations write history records in between each other's; after both have
  // signed out every record of both is there, each once.
  void historyOfBoth() {
    for (int round = 0; round < 3; ++round) {
      for (TDataModule1* data : {a_.get(), b_.get()}) {
        LogAction(*data, round, QString::fromLatin1(kLogKindSystem), QStringLiteral("ход %1").arg(round));
        data->CommitRetaining();
      }
    }
    SaveNewCard(*a_, QStringLiteral("Първи Титуляр"));
    SaveNewCard(*b_, QStringLiteral("Втори Титуляр"));
    SignOut(*a_);
    SignOut(*b_);

    TDataModule1 reader;
    reader.Connect(register_->Params());
    for (const QString& user : {QStringLiteral("clerk_a"), QStringLiteral("clerk_b")}) {
      QCOMPARE(Scalar(reader, QStringLiteral("select count(*) from INF_LOG where U_NAME = ?"), user).toInt(), 5);
      QCOMPARE(Scalar(reader, QStringLiteral("select count(distinct T_TEXT) from INF_LOG where U_NAME = ? and "
                                             "T_TEXT starting with 'ход '"), user).toInt(), 3);
    }
  }
};

QTEST_GUILESS_MAIN(TestSeveralWorkstations)
#include "test_several_workstations.moc"
