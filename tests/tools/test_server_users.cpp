// tesaro-admin's user commands on a register on the loopback server, through the built binary:
// the clerk's account and group made, changed, listed and removed through the server with the
// administrator's credentials from the environment, and an older register's login file brought
// over to accounts and roles.
#include <QtTest>

#include "admin_process.h"
#include "data/schema/register_roles.h"
#include "login_config.h"
#include "password_hash.h"
#include "server_test_accounts.h"
#include "temp_register.h"

namespace {
QString RightsOf(const QString& path, const QString& login, const QString& password) {
  QString rights;
  return CheckServerCredentials(path, login, password, &rights) == ServerSignIn::Accepted ? rights
                                                                                           : QStringLiteral("refused");
}
}  // namespace

class TestServerUsers : public QObject {
  Q_OBJECT

  std::optional<TestServerLogin> server_;
  std::unique_ptr<TempRegister> register_;
  QTemporaryDir dir_;
  QString config_;
  QStringList made_;  // every account a case may have made, dropped at the end
  Database admin_;

  QString Path() const { return register_->Params().path; }
  AdminRun User(const QStringList& args, const QByteArray& input = QByteArray()) {
    return RunAdmin(QStringList{QStringLiteral("user")} + args +
                        QStringList{QStringLiteral("--config"), config_, QStringLiteral("--register"), Path()},
                    input);
  }

 private slots:
  void initTestCase() {
    server_ = LoopbackServer();
    if (!server_) QSKIP(qPrintable(LoopbackServerMissingReason()));
    register_ = std::make_unique<TempRegister>(QStringLiteral("Община Тестова"), server_);
    admin_.Attach(register_->Params());
    config_ = dir_.filePath(QStringLiteral("login.ini"));
    qputenv("ISC_USER", server_->user.toUtf8());
    qputenv("ISC_PASSWORD", server_->password.toUtf8());
  }
  void cleanupTestCase() { DropTestAccounts(admin_, made_); }

  void addChangeListRemove() {
    const QString login = UniqueServerLogin(QStringLiteral("add"));
    made_ << login;
    AdminRun run = User({QStringLiteral("add"), login, QStringLiteral("--rights"), QStringLiteral("USER6"),
                         QStringLiteral("--name"), QStringLiteral("Мария Иванова"), QStringLiteral("--password-stdin")},
                        "Parola-edno-1\n");
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QCOMPARE(RightsOf(Path(), login, QStringLiteral("Parola-edno-1")), QStringLiteral("USER6"));
    // The login file names the register and keeps no password.
    const LoginDatabase entry = ReadLoginConfig(config_).databases.value(QStringLiteral("ZIRE"));
    QCOMPARE(entry.path, Path());
    QFile file(config_);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(!file.readAll().contains(server_->password.toUtf8()));

    run = User({QStringLiteral("add"), login, QStringLiteral("--rights"), QStringLiteral("USER1"),
                QStringLiteral("--password-stdin")},
               "Parola-dve-22\n");
    QCOMPARE(run.exitCode, 1);  // the account is there already; nothing changes
    QCOMPARE(RightsOf(Path(), login, QStringLiteral("Parola-edno-1")), QStringLiteral("USER6"));

    run = User({QStringLiteral("list")});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QVERIFY2(run.out.contains(QRegularExpression(login + QStringLiteral("\\s+USER6\\s+Мария Иванова"))),
             qPrintable(run.out));

    run = User({QStringLiteral("passwd"), login, QStringLiteral("--password-stdin")}, "Parola-tri-333\n");
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QCOMPARE(RightsOf(Path(), login, QStringLiteral("Parola-edno-1")), QStringLiteral("refused"));
    QCOMPARE(RightsOf(Path(), login, QStringLiteral("Parola-tri-333")), QStringLiteral("USER6"));

    run = User({QStringLiteral("remove"), login});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QVERIFY(!ServerAccountExists(admin_, login));
  }

  // What the server cannot keep is refused before anything is made.
  void refusals_data() {
    QTest::addColumn<QString>("login");
    QTest::addColumn<QByteArray>("password");
    QTest::newRow("Cyrillic name") << QStringLiteral("иванова") << QByteArray("Parola-edno-1\n");
    QTest::newRow("name with a quote") << QStringLiteral("a\"b") << QByteArray("Parola-edno-1\n");
    QTest::newRow("Cyrillic password") << UniqueServerLogin(QStringLiteral("cyr")) << QByteArray("Парола-едно-1\n");
    QTest::newRow("short password") << UniqueServerLogin(QStringLiteral("short")) << QByteArray("Ab-1\n");
  }
  void refusals() {
    QFETCH(QString, login);
    QFETCH(QByteArray, password);
    made_ << login;
    const AdminRun run = User({QStringLiteral("add"), login, QStringLiteral("--rights"), QStringLiteral("USER2"),
                               QStringLiteral("--password-stdin")},
                              password);
    QCOMPARE(run.exitCode, 1);
    QVERIFY(!run.err.trimmed().isEmpty());
    if (ServerLoginProblem(login).isEmpty()) QVERIFY(!ServerAccountExists(admin_, login));
  }

  void administratorPasswordIsNeeded() {
    qunsetenv("ISC_PASSWORD");
    const AdminRun run = User({QStringLiteral("list")});
    qputenv("ISC_PASSWORD", server_->password.toUtf8());
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(QStringLiteral("ISC_PASSWORD")), qPrintable(run.err));
  }

  // A register made before the roles, with its clerks in the login file (and the server's
  // administrator password beside its path): the roles are made, each clerk gets an account
  // holding their group, and the file keeps the path only.
  void migrateRoles() {
    for (const QString& role : RegisterRoles()) admin_.ExecuteImmediate(QStringLiteral("DROP ROLE ") + role);
    admin_.DefaultTransaction().Commit();
    const QString login = UniqueServerLogin(QStringLiteral("mig"));
    made_ << login;
    // The login file as an older set-up wrote it, so written by hand here.
    QFile file(config_);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QStringLiteral("[Databases]\nZIRE\\path=%1\nZIRE\\user=%2\nZIRE\\password=%3\n"
                              "[Users]\n1\\login=%4\n1\\rights=USER2\n1\\password_hash=%5\nsize=1\n")
                   .arg(Path(), server_->user, server_->password, login, HashPassword(QStringLiteral("stara-1234")))
                   .toUtf8());
    file.close();

    const AdminRun run = RunAdmin({QStringLiteral("user"), QStringLiteral("migrate-roles"), QStringLiteral("--config"),
                                   config_, QStringLiteral("--password-stdin")},
                                  "Parola-nova-12\n");
    QVERIFY2(run.exitCode == 0, qPrintable(run.out + run.err));
    QCOMPARE(RightsOf(Path(), login, QStringLiteral("Parola-nova-12")), QStringLiteral("USER2"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray written = file.readAll();
    QVERIFY(written.contains(Path().toUtf8()));
    QVERIFY(!written.contains(server_->password.toUtf8()));
    QVERIFY(!written.contains("password_hash"));
  }
};

QTEST_GUILESS_MAIN(TestServerUsers)
#include "test_server_users.moc"
