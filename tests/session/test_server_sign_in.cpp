// Signing in to a register on the loopback server through the loaded reference login library:
// the server checks the clerk's own account, the group is the role it holds there, and the
// program opens the register with the clerk's credentials under that role. What the
// workstation's files say gives no right, and no file keeps a password.
#include <QDirIterator>
#include <QtTest>
#include <unistd.h>

#include "data/data_module.h"
#include "data/firebird/db_error.h"
#include "data/schema/register_roles.h"
#include "login_accounts.h"
#include "password_hash.h"
#include "recording_messages.h"
#include "server_test_accounts.h"
#include "session/library_login.h"
#include "session/login_record.h"
#include "session/work_session.h"
#include "temp_register.h"

namespace {
void SetEnv(const char* name, const QString& value) { qputenv(name, value.toUtf8()); }

bool SignInAs(const QString& login, const QString& password, TLogInfoRec& record) {
  SetEnv("TESARO_LOGIN_USER", login);
  SetEnv("TESARO_LOGIN_PASSWORD", password);
  return LibraryLogin(QStringLiteral("Tesaro"), QStringLiteral("ZIRE"), 1, 1, record, 0);
}

// Every file under `folder` whose bytes contain `secret`.
QStringList FilesHolding(const QString& folder, const QString& secret) {
  QStringList found;
  QDirIterator files(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
  while (files.hasNext()) {
    QFile file(files.next());
    if (file.open(QIODevice::ReadOnly) && file.readAll().contains(secret.toUtf8())) found << file.fileName();
  }
  return found;
}
}  // namespace

class TestServerSignIn : public QObject {
  Q_OBJECT

  std::optional<TestServerLogin> server_;
  std::unique_ptr<TempRegister> register_;
  QTemporaryDir home_;
  QString config_;
  QString login_;
  QString password_ = QStringLiteral("Klerk-parola-1");
  Database admin_;

 private slots:
  void initTestCase() {
    server_ = LoopbackServer();
    if (!server_) QSKIP(qPrintable(LoopbackServerMissingReason()));
    register_ = std::make_unique<TempRegister>(QStringLiteral("Община Тестова"), server_);
    admin_.Attach(register_->Params());
    login_ = UniqueServerLogin(QStringLiteral("clerk"));
    CreateServerAccount(admin_, login_, password_, QStringLiteral("USER4"));
    EnsureRegisterUser(register_->Params(), login_, QStringLiteral("Мария Иванова"));

    config_ = home_.filePath(QStringLiteral("config/login.ini"));
    SetEnv("TESARO_LOGIN_CONFIG", config_);
    SetEnv("TESARO_LOGIN_LIBRARY", QStringLiteral(VLM_LOGIN_LIBRARY));
    SetEnv("USERPROFILE", home_.path());
    // The workstation's file as an old set-up wrote it (the server's administrator password
    // beside the path) and as the clerk changed it: themselves in the highest group.
    LoginConfig config;
    config.databases.insert(QStringLiteral("ZIRE"),
                            {register_->Params().path, server_->user, server_->password});
    config.users << LoginUser{login_, QString(), QStringLiteral("USER1"), HashPassword(password_)};
    WriteLoginConfig(config_, config);
  }
  void cleanupTestCase() { DropTestAccounts(admin_, {login_}); }

  // The server's group, not the file's; the clerk's own account in the record; the program's
  // connection works under the group's role and signs the clerk in.
  void signsInWithTheClerksOwnAccount() {
    TLogInfoRec record;
    QVERIFY(SignInAs(login_, password_, record));
    QCOMPARE(record.RightsGroup(), QStringLiteral("USER4"));
    QCOMPARE(record.DatabasePath(), register_->Params().path);
    QCOMPARE(record.DatabaseUser(), login_);
    QCOMPARE(record.DatabasePassword(), password_);
    QCOMPARE(record.UserName(), login_);
    const ConnectionParams params = ConnectionFromRecord(record);
    QCOMPARE(params.role, RegisterRoleOf(QStringLiteral("USER4")));

    RecordingMessages messages;
    TDataModule1 data;
    data.Connect(params);
    QVERIFY(SignIn(data, record, nullptr));
    QVERIFY2(messages.shown.empty(), qPrintable(messages.Texts().join(u'\n')));
    try {
      data.Db().ExecuteImmediate(QStringLiteral("delete from NOM"));
      QFAIL("a USER4 clerk deleted the code lists");
    } catch (const DbError& error) {
      QCOMPARE(error.GdsCode(), kNoPermissionCode);
    }
    data.Rollback();
    data.Disconnect();
  }

  void wrongPasswordIsRefused() {
    TLogInfoRec record;
    QVERIFY(!SignInAs(login_, password_ + u'x', record));
    QVERIFY(!SignInAs(QStringLiteral("nobody_%1").arg(getpid()), password_, record));
  }

  // The clerk changes their own password on the server; the old one then opens nothing.
  void clerkChangesOwnPassword() {
    const QString next = QStringLiteral("Nova-parola-2");
    QCOMPARE(ChangeLoginPassword(config_, login_, password_ + u'x', next), PasswordChange::WrongPassword);
    QCOMPARE(ChangeLoginPassword(config_, login_, password_, next), PasswordChange::Changed);
    TLogInfoRec record;
    QVERIFY(!SignInAs(login_, password_, record));
    QVERIFY(SignInAs(login_, next, record));
    password_ = next;
  }

  // Neither the server's administrator password nor the clerk's is kept in any file the sign-in
  // and the settings wrote on the workstation.
  void noFileKeepsAPassword() {
    QVERIFY(QFileInfo::exists(config_));
    QCOMPARE(FilesHolding(home_.path(), server_->password), QStringList());
    QCOMPARE(FilesHolding(home_.path(), password_), QStringList());
    QCOMPARE(FilesHolding(home_.path(), QStringLiteral("Klerk-parola-1")), QStringList());
  }
};

QTEST_MAIN(TestServerSignIn)
#include "test_server_sign_in.moc"
