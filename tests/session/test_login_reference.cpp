// The reference login library: its configuration file, the first start that makes the register
// and the first administrator, signing in through the loaded library (password checked against
// the argon2id hash), the dialogs' rules and the password change.
#include <sys/stat.h>

#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QtTest>

#include "change_password_dialog.h"
#include "core/clock.h"
#include "data/data_module.h"
#include "data/firebird/statement.h"
#include "login_accounts.h"
#include "login_dialog.h"
#include "password_hash.h"
#include "recording_messages.h"
#include "session/library_login.h"
#include "session/login_record.h"
#include "session/settings_file.h"
#include "session/work_session.h"

namespace {
void SetEnv(const char* name, const QString& value) { qputenv(name, value.toUtf8()); }

QVariant Scalar(const QString& path, const QString& sql) {
  Database db;
  ConnectionParams params;
  params.path = path;
  db.Attach(params);
  return Statement(db, sql).ScalarValue();
}

// The file's permission bits, as the system keeps them.
int FileMode(const QString& path) {
  struct stat info {};
  if (stat(QFile::encodeName(path).constData(), &info) != 0) return -1;
  return int(info.st_mode & 07777);
}

bool SignInThroughLibrary(TLogInfoRec& record) {
  return LibraryLogin(QStringLiteral("Tesaro"), QStringLiteral("ZIRE"), 1, 1, record, 0);
}
}  // namespace

class TestLoginReference : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  QString config_;
  QString register_;
  // Made once by the first start; the later cases sign in against it.
  const QString adminPassword_ = QStringLiteral("първа-парола1");

 private slots:
  void initTestCase() {
    config_ = dir_.filePath(QStringLiteral("config/login.ini"));
    register_ = dir_.filePath(QStringLiteral("data/Tesaro/register.fdb"));
    SetEnv("TESARO_LOGIN_CONFIG", config_);
    SetEnv("TESARO_LOGIN_LIBRARY", QStringLiteral(VLM_LOGIN_LIBRARY));
    SetEnv("USERPROFILE", dir_.path());
  }

  void configurationRoundTrip() {
    const QString path = dir_.filePath(QStringLiteral("roundtrip.ini"));
    LoginConfig config;
    config.databases.insert(QStringLiteral("ZIRE"), {QStringLiteral("/d/рег; a=b, \"c\".fdb"),
                                                     QStringLiteral("CLERK"), QStringLiteral("p=w;d,\"")});
    config.users << LoginUser{QStringLiteral("иван"), QStringLiteral("Иван \"Ванката\" Петров, мл."),
                              QStringLiteral("USER2"), QStringLiteral("$argon2id$v=19$m=65536,t=2,p=1$a$b")}
                 << LoginUser{QStringLiteral("@ana"), QString(), QStringLiteral("USER6"), QStringLiteral("h")};
    WriteLoginConfig(path, config);
    const LoginConfig read = ReadLoginConfig(path);
    QCOMPARE(read.databases.size(), 1);
    const LoginDatabase db = read.databases.value(QStringLiteral("ZIRE"));
    QCOMPARE(db.path, config.databases.first().path);
    QCOMPARE(db.user, QStringLiteral("CLERK"));
    QCOMPARE(db.password, config.databases.first().password);
    QCOMPARE(read.users.size(), 2);
    for (int i = 0; i < 2; ++i) {
      QCOMPARE(read.users[i].login, config.users[i].login);
      QCOMPARE(read.users[i].fullName, config.users[i].fullName);
      QCOMPARE(read.users[i].rights, config.users[i].rights);
      QCOMPARE(read.users[i].passwordHash, config.users[i].passwordHash);
    }
    QCOMPARE(FileMode(path), 0600);
    // A missing file is an empty configuration with the default register.
    LoginDatabase fallback;
    QVERIFY(ReadLoginConfig(dir_.filePath(QStringLiteral("none.ini"))).FindDatabase(QStringLiteral("ZIRE"), &fallback));
    QVERIFY(fallback.path.endsWith(QStringLiteral("/Tesaro/register.fdb")));
    QVERIFY(!ReadLoginConfig(path).FindDatabase(QStringLiteral("OTHER"), &fallback));
  }

  void noUserYetRefusesScriptedSignIn() {
    SetEnv("TESARO_LOGIN_USER", QStringLiteral("admin"));
    SetEnv("TESARO_LOGIN_PASSWORD", adminPassword_);
    TLogInfoRec record;
    QVERIFY(!SignInThroughLibrary(record));
    QCOMPARE(record.UsersCount(), -1);
  }

  // A hand-edited count of users far beyond any office is refused at once, not read for minutes.
  void anImpossibleUserCountIsRefused() {
    const QString path = dir_.filePath(QStringLiteral("huge.ini"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[Users]\nsize=100000000\n1\\login=admin\n");
    file.close();
    QVERIFY(file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    try {
      ReadLoginConfig(path);
      QFAIL("the configuration was read");
    } catch (const LoginError& error) {
      QVERIFY2(error.Message().contains(QStringLiteral("100000000")), qPrintable(error.Message()));
    }
  }

  void firstStartCreatesRegisterUserAndPrivateConfig() {
    QVERIFY(!QFile::exists(register_));
    const FirstAdministrator admin{QStringLiteral("Община Тетевен"), QStringLiteral("admin"),
                                   QStringLiteral("Анна Петрова"), adminPassword_};
    const LoginConfig config = CreateFirstAdministrator(config_, admin, register_);

    QVERIFY(QFile::exists(register_));
    QCOMPARE(FileMode(register_), 0600);  // the personal data it holds are the owner's only
    QCOMPARE(Scalar(register_, QStringLiteral("select S_INFO from NOM where N = 0")).toString(),
             QStringLiteral("Община Тетевен"));
    QCOMPARE(Scalar(register_, QStringLiteral("select FULL_NAME from USERS where NAME = 'admin'")).toString(),
             QStringLiteral("Анна Петрова"));

    QCOMPARE(config.users.size(), 1);
    QCOMPARE(config.users[0].rights, QStringLiteral("USER1"));
    QCOMPARE(FileMode(config_), 0600);
    QFile file(config_);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    QVERIFY(!text.contains(adminPassword_.toUtf8()));
    QVERIFY(text.contains("$argon2id$"));
    QCOMPARE(ReadLoginConfig(config_).databases.value(QStringLiteral("ZIRE")).path, register_);

    // Once there is a user, the first start does not come again.
    QVERIFY_THROWS_EXCEPTION(LoginError, CreateFirstAdministrator(config_, admin, register_));
  }

  // The program signed in from a script: a wrong password ends it with a failure and the reason.
  void refusedScriptedSignInEndsTheProgramWithAFailure() {
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TESARO_LOGIN_USER"), QStringLiteral("admin"));
    environment.insert(QStringLiteral("TESARO_LOGIN_PASSWORD"), QStringLiteral("грешна-парола"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(TESARO_PROGRAM_BINARY), {});
    QVERIFY(program.waitForFinished(60000));
    const QString err = QString::fromUtf8(program.readAllStandardError());
    QCOMPARE(program.exitCode(), 1);
    QVERIFY2(err.contains(QStringLiteral("грешно потребителско име или парола")), qPrintable(err));
    QVERIFY2(err.contains(QStringLiteral("Входът не е приет")), qPrintable(err));
  }

  void signsInThroughTheLoadedLibrary() {
    SetEnv("TESARO_LOGIN_USER", QStringLiteral("admin"));
    SetEnv("TESARO_LOGIN_PASSWORD", adminPassword_);
    TLogInfoRec record;
    QVERIFY(SignInThroughLibrary(record));
    QCOMPARE(record.DatabasePath(), register_);
    QCOMPARE(record.Text251(), config_);
    QCOMPARE(record.DatabaseUser(), QStringLiteral("SYSDBA"));
    QCOMPARE(record.UserName(), QStringLiteral("admin"));
    QCOMPARE(record.UserLogin(), QStringLiteral("admin"));
    QCOMPARE(record.RightsGroup(), QStringLiteral("USER1"));
    QCOMPARE(record.UsersCount(), 1);
    QCOMPARE(record.RightsCount(), 1);
    const QByteArray user = record.UsersElement(0);
    QCOMPARE(ReadShortString(reinterpret_cast<const unsigned char*>(user.constData()), 51), QStringLiteral("admin"));
    QCOMPARE(ReadShortString(reinterpret_cast<const unsigned char*>(user.constData()) + 51, 51),
             QStringLiteral("Анна Петрова"));
    QCOMPARE(ReadShortString(reinterpret_cast<const unsigned char*>(user.constData()) + 102, 6),
             QStringLiteral("USER1"));
    QCOMPARE(ReadShortString(reinterpret_cast<const unsigned char*>(record.RightsElement(0).constData()), 255),
             QStringLiteral("USER1"));

    // The program then finds the user in the register it was pointed at.
    RecordingMessages messages;
    TDataModule1 data;
    data.Connect(ConnectionFromRecord(record));
    QVERIFY(SignIn(data, record, nullptr));
    QVERIFY(messages.shown.empty());
    data.Disconnect();
    QCOMPARE(Scalar(register_, QStringLiteral("select count(*) from INF_LOG where TYPE_T = 'SYSTEM'")).toInt(), 1);
  }

  // A scripted sign-in waits like a typed one: while the wait lasts even the right password is
  // refused, and the message says how long.
  void scriptedSignInWaitsAfterWrongPasswords() {
    const QString delays = SignInDelays::FileBeside(config_);
    for (int i = 0; i < 8; ++i) SignInDelays(delays).RecordFailure(QStringLiteral("admin"));
    SetEnv("TESARO_LOGIN_USER", QStringLiteral("admin"));
    SetEnv("TESARO_LOGIN_PASSWORD", adminPassword_);
    QStringList warnings;
    {
      static QStringList* sink = nullptr;
      sink = &warnings;
      const QtMessageHandler previous =
          qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& text) { *sink << text; });
      TLogInfoRec record;
      const bool signedIn = SignInThroughLibrary(record);
      qInstallMessageHandler(previous);
      QVERIFY(!signedIn);
      QCOMPARE(record.UserName(), QString());
    }
    // Eight wrong passwords in a row: about half a minute, whatever second the clock turned.
    QVERIFY2(warnings.join(u'\n').contains(QStringLiteral("Твърде много неуспешни опита. Опитайте отново след 3")),
             qPrintable(warnings.join(u'\n')));

    // Once the wait is over the right password signs in and clears the count.
    QVERIFY(QFile::remove(delays));
    {
      Clock::FixedNow anHourAgo(QDateTime::currentDateTime().addSecs(-3600));
      for (int i = 0; i < 8; ++i) SignInDelays(delays).RecordFailure(QStringLiteral("admin"));
    }
    TLogInfoRec record;
    QVERIFY(SignInThroughLibrary(record));
    QFile file(delays);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray());
  }

  void wrongCredentialsAreRefused_data() {
    QTest::addColumn<QString>("login");
    QTest::addColumn<QString>("password");
    QTest::newRow("wrong password") << "admin"
                                    << "първа-парола2";
    QTest::newRow("unknown user") << "никой"
                                  << "първа-парола1";
    QTest::newRow("login differs in case") << "Admin"
                                           << "първа-парола1";
  }
  void wrongCredentialsAreRefused() {
    QFETCH(QString, login);
    QFETCH(QString, password);
    SetEnv("TESARO_LOGIN_USER", login);
    SetEnv("TESARO_LOGIN_PASSWORD", password);
    TLogInfoRec record;
    QVERIFY(!SignInThroughLibrary(record));
    QCOMPARE(record.UserName(), QString());
    QCOMPARE(record.UsersCount(), -1);
  }

  void signInDialogAllowsThreeTries() {
    const LoginConfig config = ReadLoginConfig(config_);
    QVERIFY(WriteLastUser(QStringLiteral("admin"), nullptr));
    LoginDialog dialog(config, SignInDelays::FileBeside(config_), QStringLiteral("Tesaro"));
    QCOMPARE(dialog.LoginEdit()->text(), QStringLiteral("admin"));  // the last user, from tesaro.ini
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(QApplication::focusWidget(), dialog.PasswordEdit());
    const int fieldHeight = dialog.LoginEdit()->height();
    dialog.PasswordEdit()->setText(QStringLiteral("грешна"));
    dialog.TrySignIn();
    QCOMPARE(dialog.ErrorText(), QStringLiteral("Грешно потребителско име или парола. Остават още 2 опита."));
    // The message takes room of its own: the fields keep their height and do not overlap it.
    QTRY_COMPARE(dialog.LoginEdit()->height(), fieldHeight);
    QCOMPARE(dialog.PasswordEdit()->height(), fieldHeight);
    const QLabel* message = dialog.findChild<QLabel*>(QStringLiteral("SignInError"));
    QVERIFY(message);
    QVERIFY(message->geometry().top() >= dialog.PasswordEdit()->geometry().bottom());
    QVERIFY(message->height() >= message->heightForWidth(message->width()));
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(dialog.PasswordEdit()->text().isEmpty());
    dialog.PasswordEdit()->setText(adminPassword_);
    dialog.TrySignIn();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.AcceptedUser()->login, QStringLiteral("admin"));

    SignInAttempts attempts(config, dir_.filePath(QStringLiteral("three-tries.txt")));
    QCOMPARE(attempts.Try(QStringLiteral("никой"), QString()), SignInAttempts::Outcome::Refused);
    QCOMPARE(attempts.Try(QStringLiteral("никой"), QString()), SignInAttempts::Outcome::Refused);
    QCOMPARE(attempts.Try(QStringLiteral("никой"), QString()), SignInAttempts::Outcome::Exhausted);
    QCOMPARE(attempts.Try(QStringLiteral("admin"), adminPassword_), SignInAttempts::Outcome::Exhausted);
    QVERIFY(!attempts.AcceptedUser());
  }

  void passwordChange() {
    const QString newPassword = QStringLiteral("нова-парола-2");
    QCOMPARE(ChangeLoginPassword(config_, QStringLiteral("admin"), QStringLiteral("грешна-стара"), newPassword),
             PasswordChange::WrongPassword);
    QCOMPARE(ChangeLoginPassword(config_, QStringLiteral("никой"), adminPassword_, newPassword),
             PasswordChange::UnknownUser);
    QVERIFY_THROWS_EXCEPTION(
        LoginError, ChangeLoginPassword(config_, QStringLiteral("admin"), adminPassword_, QStringLiteral("къса")));
    QCOMPARE(ChangeLoginPassword(config_, QStringLiteral("admin"), adminPassword_, newPassword),
             PasswordChange::Changed);
    const QString hash = ReadLoginConfig(config_).FindUser(QStringLiteral("admin"))->passwordHash;
    QVERIFY(VerifyPassword(hash, newPassword));
    QVERIFY(!VerifyPassword(hash, adminPassword_));

    // The dialog refuses differing new passwords before anything is checked.
    int calls = 0;
    ChangePasswordDialog dialog(QStringLiteral("Velmora Tesaro"), QStringLiteral("admin"),
                                [&](const QString&, const QString&) {
                                  ++calls;
                                  return QString();
                                });
    dialog.Field(0)->setText(newPassword);
    dialog.Field(1)->setText(QStringLiteral("едно-нещо-1"));
    dialog.Field(2)->setText(QStringLiteral("друго-нещо-1"));
    dialog.TryChange();
    QCOMPARE(dialog.ErrorText(), QStringLiteral("Новите пароли не съвпадат."));
    QCOMPARE(calls, 0);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Velmora Tesaro"));
  }
};

QTEST_MAIN(TestLoginReference)
#include "test_login_reference.moc"
