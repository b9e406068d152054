// Opening and ending the work: the users lookup, the sign-in and sign-out history records, the
// refusal of a user the register does not know, and the settings file written on the way.
#include <QtTest>

#include "core/clock.h"
#include "data/data_module.h"
#include "data/firebird/statement.h"
#include "recording_messages.h"
#include "session/login_record.h"
#include "session/work_session.h"
#include "temp_register.h"

namespace {
int AddUser(Database& db, const QString& name) {
  Statement insert(db, QStringLiteral("insert into USERS (NAME) values (?) returning USER_ID"));
  insert.Bind(0, name);
  insert.Execute();
  const int id = insert.Value(0).toInt();
  db.DefaultTransaction().Commit();
  return id;
}

struct LogRow {
  int userId;
  QString kind;
  int objectKey;
  QString userName;
  QString text;
};

QList<LogRow> SystemRows(const ConnectionParams& params) {
  Database db;
  db.Attach(params);
  Statement query(db, QStringLiteral("select USER_ID, TYPE_T, T_ID, U_NAME, T_TEXT from INF_LOG order by LOG_ID"));
  query.Open();
  QList<LogRow> rows;
  while (query.Next())
    rows << LogRow{query.Value(0).toInt(), query.Value(1).toString(), query.Value(2).toInt(), query.Value(3).toString(),
                   query.Value(4).toString()};
  return rows;
}

TLogInfoRec RecordFor(const ConnectionParams& params, const QString& name) {
  TLogInfoRec record;
  record.SetDatabasePath(params.path);
  record.SetDatabaseUser(params.user);
  record.SetDatabasePassword(params.password);
  record.SetUserName(name);
  record.SetUserLogin(name + QStringLiteral("-login"));
  record.SetRightsGroup(QStringLiteral("USER2"));
  return record;
}
}  // namespace

class TestLoginSession : public QObject {
  Q_OBJECT

  QTemporaryDir profile_;

 private slots:
  void initTestCase() { qputenv("USERPROFILE", profile_.path().toLocal8Bit()); }

  void connectionComesFromTheRecord() {
    TLogInfoRec record;
    record.SetDatabasePath(QStringLiteral("srv:/data/регистър.fdb"));
    record.SetDatabaseUser(QStringLiteral("CLERK"));
    record.SetDatabasePassword(QStringLiteral("pa'ss"));
    const ConnectionParams params = ConnectionFromRecord(record);
    QCOMPARE(params.path, QStringLiteral("srv:/data/регистър.fdb"));
    QCOMPARE(params.user, QStringLiteral("CLERK"));
    QCOMPARE(params.password, QStringLiteral("pa'ss"));
  }

  void signInRecordsEachSignIn_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("plain") << QStringLiteral("иван");
    QTest::newRow("apostrophe") << QStringLiteral("O'Нийл");
  }
  void signInRecordsEachSignIn() {
    QFETCH(QString, name);
    TempRegister reg;
    Database setup;
    setup.Attach(reg.Params());
    AddUser(setup, QStringLiteral("друг"));
    const int id = AddUser(setup, name);
    setup.Detach();

    const TLogInfoRec record = RecordFor(reg.Params(), name);
    const Clock::FixedNow now(QDateTime(QDate(2024, 3, 5), QTime(9, 30)));
    RecordingMessages messages;
    for (int i = 0; i < 2; ++i) {  // twice on one day: two records
      TDataModule1 data;
      data.Connect(ConnectionFromRecord(record));
      QVERIFY(SignIn(data, record, nullptr));
      QCOMPARE(data.CurrentUserName(), name);
      QCOMPARE(data.CurrentUserId(), id);
    }
    QVERIFY(messages.shown.empty());

    const QList<LogRow> rows = SystemRows(reg.Params());
    QCOMPARE(rows.size(), 2);
    for (const LogRow& row : rows) {
      QCOMPARE(row.kind, QStringLiteral("SYSTEM"));
      QCOMPARE(row.objectKey, id);
      QCOMPARE(row.userId, id);
      QCOMPARE(row.userName, name);
      QCOMPARE(row.text, QStringLiteral("Влизане на потребител с име ") + name);
    }
    // The login, not the name, goes into the settings file.
    const QSettings settings(profile_.filePath(QStringLiteral("tesaro.ini")), QSettings::IniFormat);
    QCOMPARE(settings.value(QStringLiteral("User/lastuser")).toString(), name + QStringLiteral("-login"));
  }

  void unknownUserIsRefusedWithoutRecord() {
    TempRegister reg;
    Database setup;
    setup.Attach(reg.Params());
    AddUser(setup, QStringLiteral("иван"));
    setup.Detach();

    // A name that would match everything were it pasted into the statement.
    const TLogInfoRec record = RecordFor(reg.Params(), QStringLiteral("x' or '1'='1"));
    RecordingMessages messages;
    {
      TDataModule1 data;
      data.Connect(ConnectionFromRecord(record));
      QVERIFY(!SignIn(data, record, nullptr));
      QVERIFY(!data.HasCurrentUser());
    }
    QCOMPARE(messages.Texts(),
             QStringList{QStringLiteral(
                 "На потребителя не са предоставени коректни права! Моля предупредете администратора!")});
    QCOMPARE(messages.shown[0].buttons, MessageButtons::Ok);
    QVERIFY(SystemRows(reg.Params()).isEmpty());
  }

  void signOutIsStoredByTheDisconnect() {
    TempRegister reg;
    Database setup;
    setup.Attach(reg.Params());
    const int id = AddUser(setup, QStringLiteral("мария"));
    setup.Detach();

    const TLogInfoRec record = RecordFor(reg.Params(), QStringLiteral("мария"));
    TDataModule1 data;
    data.Connect(ConnectionFromRecord(record));
    QVERIFY(SignIn(data, record, nullptr));
    SignOut(data);
    QVERIFY(!data.IsConnected());

    const QList<LogRow> rows = SystemRows(reg.Params());
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows[1].text, QStringLiteral("Излизане на потребител с име мария"));
    QCOMPARE(rows[1].objectKey, id);
    QCOMPARE(rows[1].kind, QStringLiteral("SYSTEM"));
  }
};

QTEST_MAIN(TestLoginSession)
#include "test_login_session.moc"
