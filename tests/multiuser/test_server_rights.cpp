// The rights groups enforced by the server: clerks' own accounts on the loopback server, each
// holding its group's role in a register made by the program, used directly through the
// database wrapper (no check of the program in between) and through saving a card.
#include <QtTest>
#include <memory>

#include "card/card_save.h"
#include "card_forms.h"
#include "classification/ranking_progress.h"
#include "classification/refresh_classifications.h"
#include "classification/store_ranking_places.h"
#include "data/data_module.h"
#include "data/firebird/db_error.h"
#include "data/firebird/statement.h"
#include "data/schema/register_roles.h"
#include "recording_messages.h"
#include "server_test_accounts.h"
#include "temp_register.h"

namespace {
const QString kPassword = QStringLiteral("Parola-za-test-1");

// Runs a statement as the connection's clerk and answers whether the server refused it for want
// of rights, with the clerk's message; any other failure fails the test.
bool RefusedForRights(Database& db, const QString& sql) {
  try {
    db.ExecuteImmediate(sql);
    db.DefaultTransaction().Rollback();
    return false;
  } catch (const DbError& error) {
    db.DefaultTransaction().Rollback();
    if (error.GdsCode() != kNoPermissionCode || !error.Message().startsWith(QString::fromUtf8(kNoPermissionText)))
      qWarning().noquote() << "not a refusal of rights:" << error.Message();
    return error.GdsCode() == kNoPermissionCode && error.Message().startsWith(QString::fromUtf8(kNoPermissionText));
  }
}

// Every kind of change to every table of the register, each on a row that exists.
QStringList EveryChange() {
  return {
      QStringLiteral("insert into RGS_CARD (REG_NUM) values (999)"),
      QStringLiteral("update RGS_CARD set ADRESS = 'x'"),
      QStringLiteral("delete from RGS_CARD"),
      QStringLiteral("insert into RGS_PERSON (CARD_ID, NAME) values ((select min(CARD_ID) from RGS_CARD), 'x')"),
      QStringLiteral("update RGS_PERSON set NAME = 'x'"),
      QStringLiteral("delete from RGS_PERSON"),
      QStringLiteral("insert into NOM (N) values (999)"),
      QStringLiteral("update NOM set S_INFO = 'x'"),
      QStringLiteral("delete from NOM"),
      QStringLiteral("insert into KLAS_NOM (KLAS_ID) values (999)"),
      QStringLiteral("update KLAS_NOM set KLAS_VAJ = 0"),
      QStringLiteral("delete from KLAS_NOM"),
      QStringLiteral("insert into USERS (NAME) values ('x')"),
      QStringLiteral("update USERS set FULL_NAME = 'x'"),
      QStringLiteral("delete from USERS"),
      QStringLiteral("update INF_LOG set TYPE_T = 'x'"),
      QStringLiteral("delete from INF_LOG"),
  };
}
}  // namespace

class TestServerRights : public QObject {
  Q_OBJECT

  std::optional<TestServerLogin> server_;
  std::unique_ptr<TempRegister> register_;
  Database admin_;
  QMap<QString, QString> logins_;  // rights group -> the account made for it in this run

  ConnectionParams Clerk(const QString& group, const QString& role) const {
    ConnectionParams params = register_->Params();
    params.user = logins_.value(group);
    params.password = kPassword;
    params.role = role;
    return params;
  }
  std::unique_ptr<TDataModule1> Workstation(const QString& group) {
    auto data = std::make_unique<TDataModule1>();
    data->Connect(Clerk(group, RegisterRoleOf(group)));
    data->SetCurrentUser(logins_.value(group), 1);
    return data;
  }
  int CardCount() {
    Statement count(admin_, QStringLiteral("select count(*) from RGS_CARD"));
    const int cards = count.ScalarValue().toInt();
    admin_.DefaultTransaction().Commit();
    return cards;
  }

 private slots:
  void initTestCase() {
    server_ = LoopbackServer();
    if (!server_) QSKIP(qPrintable(LoopbackServerMissingReason()));
    register_ = std::make_unique<TempRegister>(QStringLiteral("Община Тестова"), server_);
    admin_.Attach(register_->Params());
    for (const QString& group :
         {QStringLiteral("USER6"), QStringLiteral("USER4"), QStringLiteral("USER3"), QStringLiteral("USER2")}) {
      logins_.insert(group, UniqueServerLogin(group));
      CreateServerAccount(admin_, logins_.value(group), kPassword, group);
    }
    // One stored card with its members, so that every update and delete has a row to meet.
    TDataModule1& owner = register_->Data();
    owner.SetCurrentUser(QStringLiteral("SYSDBA"), 1);
    CardForm form = NewForm(owner, QStringLiteral("Стар Титуляр"));
    QVERIFY(SaveCard(owner, form, 0, true, 0, {}, nullptr).saved);
    owner.Commit();
  }
  void cleanupTestCase() { DropTestAccounts(admin_, logins_.values()); }

  // USER6 only looks: through its own account and role it reads every table, may add to the
  // action history (signing in records itself), and the server refuses every other change.
  void readerChangesNothing() {
    Database clerk;
    clerk.Attach(Clerk(QStringLiteral("USER6"), RegisterRoleOf(QStringLiteral("USER6"))));
    for (const char* table : {"RGS_CARD", "RGS_PERSON", "NOM", "KLAS_NOM", "USERS", "INF_LOG"}) {
      Statement count(clerk, QStringLiteral("select count(*) from ") + QLatin1String(table));
      QVERIFY2(count.ScalarValue().isValid(), table);
    }
    Statement cards(clerk, QStringLiteral("select count(*) from RGS_CARD"));
    QVERIFY(cards.ScalarValue().toInt() > 0);
    for (const QString& change : EveryChange()) QVERIFY2(RefusedForRights(clerk, change), qPrintable(change));
    clerk.ExecuteImmediate(QStringLiteral("insert into INF_LOG (USER_ID, T_ID, TYPE_T) values (1, 1, 'SYSTEM')"));
    clerk.DefaultTransaction().Commit();
  }

  // Asking for a higher group's role than the account holds gives no right: the server attaches
  // without it, so what a workstation's files say cannot raise the clerk's group.
  void aRoleNotGrantedGivesNothing() {
    Database clerk;
    clerk.Attach(Clerk(QStringLiteral("USER6"), RegisterRoleOf(QStringLiteral("USER1"))));
    QVERIFY(RefusedForRights(clerk, QStringLiteral("delete from NOM")));
    QVERIFY(RefusedForRights(clerk, QStringLiteral("update RGS_CARD set ADRESS = 'x'")));
  }

  // USER4 registers a new card through the program's save (members, history, classification),
  // but cannot change or delete a stored card.
  void registrarAddsCardsButDeletesNone() {
    const int before = CardCount();
    std::unique_ptr<TDataModule1> data = Workstation(QStringLiteral("USER4"));
    RecordingMessages messages;
    CardForm form = NewForm(*data, QStringLiteral("Нов Титуляр"));
    const SaveOutcome outcome = SaveCard(*data, form, 0, true, 0, {}, nullptr);
    QVERIFY2(outcome.saved, qPrintable(messages.Texts().join(u'\n')));
    QCOMPARE(MemberNames(*data, outcome.cardId).size(), 3);
    QCOMPARE(CardCount(), before + 1);

    Database& db = data->Db();
    QVERIFY(RefusedForRights(db, QStringLiteral("delete from RGS_CARD where CARD_ID = %1").arg(outcome.cardId)));
    QVERIFY(RefusedForRights(db, QStringLiteral("delete from RGS_PERSON")));
    QVERIFY(RefusedForRights(db, QStringLiteral("update RGS_CARD set ADRESS = 'x'")));
    QVERIFY(RefusedForRights(db, QStringLiteral("update NOM set S_INFO = 'x'")));
    QCOMPARE(CardCount(), before + 1);
  }

  // The program's own save by a USER6 clerk (as if its checks were passed by) is refused by the
  // server in the clerk's words, and nothing of the card is stored.
  void refusalReachesTheClerkWithNothingWritten() {
    const int before = CardCount();
    std::unique_ptr<TDataModule1> data = Workstation(QStringLiteral("USER6"));
    RecordingMessages messages;
    CardForm form = NewForm(*data, QStringLiteral("Забранен Титуляр"));
    QVERIFY(!SaveCard(*data, form, 0, true, 0, {}, nullptr).saved);
    QVERIFY2(!messages.shown.empty() && messages.Texts().first().startsWith(QString::fromUtf8(kNoPermissionText)),
             qPrintable(messages.Texts().join(u'\n')));
    QCOMPARE(CardCount(), before);
  }

  // USER3 runs the ranking (every card's classification and place written) but changes no
  // stored card's own data or members.
  void rankerRanksButEditsNoCard() {
    std::unique_ptr<TDataModule1> data = Workstation(QStringLiteral("USER3"));
    NoRankingProgress progress;
    QVERIFY(RefreshAllClassifications(*data, progress) > 0);
    Database& db = data->Db();
    Statement place(db, RankingPlaceStoreSql());
    place.BindAll({QStringLiteral("1-о място"), QStringLiteral("1-о място"), 1});
    place.Execute();
    data->Commit();
    QVERIFY(RefusedForRights(db, QStringLiteral("update RGS_CARD set ADRESS = 'x'")));
    QVERIFY(RefusedForRights(db, QStringLiteral("update RGS_PERSON set NAME = 'x'")));
    QVERIFY(RefusedForRights(db, QStringLiteral("delete from RGS_PERSON")));
    QVERIFY(RefusedForRights(db, QStringLiteral("update KLAS_NOM set KLAS_VAJ = 0")));
  }

  // USER2 changes a stored card, its members included (a member fewer is deleted).
  void editorChangesStoredCards() {
    std::unique_ptr<TDataModule1> data = Workstation(QStringLiteral("USER2"));
    Statement first(data->Db(), QStringLiteral("select min(CARD_ID) from RGS_CARD"));
    const int cardId = first.ScalarValue().toInt();
    Editing editing = Load(*data, cardId);
    editing.form.ebAdress = QStringLiteral("ул. Друга 7");
    editing.form.members.pop_back();
    RecordingMessages messages;
    QVERIFY2(SaveCard(*data, editing.form, 1, true, cardId, editing.remembered, nullptr).saved,
             qPrintable(messages.Texts().join(u'\n')));
    QCOMPARE(MemberNames(*data, cardId).size(), 2);
    QVERIFY(RefusedForRights(data->Db(), QStringLiteral("delete from RGS_CARD where CARD_ID = %1").arg(cardId)));
  }

  // Signing in checks the name and password with the server and reads the group from the role
  // the account holds; the administrator's change of group is what the next sign-in sees.
  void signInReadsTheGroupFromTheServer() {
    const QString path = register_->Params().path;
    const QString login = logins_.value(QStringLiteral("USER4"));
    QString rights;
    QCOMPARE(CheckServerCredentials(path, login, kPassword, &rights), ServerSignIn::Accepted);
    QCOMPARE(rights, QStringLiteral("USER4"));
    QCOMPARE(CheckServerCredentials(path, login.toUpper(), kPassword, &rights), ServerSignIn::Accepted);
    QCOMPARE(CheckServerCredentials(path, login, kPassword + u'x', &rights), ServerSignIn::Refused);
    QVERIFY(rights.isEmpty());
    QCOMPARE(CheckServerCredentials(path, QStringLiteral("няма"), kPassword, &rights), ServerSignIn::Refused);

    GrantRightsGroup(admin_, login, QStringLiteral("USER3"));
    QCOMPARE(CheckServerCredentials(path, login, kPassword, &rights), ServerSignIn::Accepted);
    QCOMPARE(rights, QStringLiteral("USER3"));
    bool listed = false;
    for (const ServerAccount& account : RegisterServerAccounts(admin_))
      if (account.login == login) listed = account.rights == QLatin1String("USER3");
    QVERIFY(listed);
    GrantRightsGroup(admin_, login, QStringLiteral("USER4"));
  }
};

QTEST_GUILESS_MAIN(TestServerRights)
#include "test_server_rights.moc"
