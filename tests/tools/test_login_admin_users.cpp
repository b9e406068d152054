// tesaro-admin user add|passwd|list|remove: the login configuration and the register's users
// table kept in step, through the built binary.
#include <sys/stat.h>

#include <QtTest>

#include "admin_exit.h"
#include "admin_process.h"
#include "data/firebird/statement.h"
#include "login_config.h"
#include "password_hash.h"
#include "temp_register.h"

namespace {
QVariant Scalar(const ConnectionParams& params, const QString& sql, const QVariant& bound = QVariant()) {
  Database db;
  db.Attach(params);
  Statement query(db, sql);
  if (bound.isValid()) query.Bind(0, bound);
  return query.ScalarValue();
}

QString RegisterPath(const TempRegister& reg) { return reg.Params().path; }
}  // namespace

class TestLoginAdminUsers : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  QString config_;

 private slots:
  void init() {
    config_ = dir_.filePath(QStringLiteral("%1/login.ini").arg(QTest::currentTestFunction()));
    qputenv("TESARO_LOGIN_CONFIG", config_.toUtf8());
  }

  void addPasswdListRemove() {
    TempRegister reg;
    AdminRun run = RunAdmin({"user", "add", "иван", "--name", "Иван Петров", "--rights", "USER2", "--register",
                             RegisterPath(reg), "--password-stdin"},
                            "първа-парола\n");
    QCOMPARE(run.exitCode, kExitOk);
    QVERIFY2(run.err.isEmpty(), qPrintable(run.err));

    LoginConfig config = ReadLoginConfig(config_);
    QCOMPARE(config.users.size(), 1);
    QCOMPARE(config.users[0].fullName, QStringLiteral("Иван Петров"));
    QCOMPARE(config.users[0].rights, QStringLiteral("USER2"));
    QVERIFY(VerifyPassword(config.users[0].passwordHash, QStringLiteral("първа-парола")));
    QCOMPARE(config.databases.value(QStringLiteral("ZIRE")).path, RegisterPath(reg));
    QCOMPARE(Scalar(reg.Params(), QStringLiteral("select FULL_NAME from USERS where NAME = ?"), QStringLiteral("иван"))
                 .toString(),
             QStringLiteral("Иван Петров"));
    struct stat info {};
    QCOMPARE(stat(QFile::encodeName(config_).constData(), &info), 0);
    QCOMPARE(int(info.st_mode & 0777), 0600);

    run = RunAdmin({"user", "passwd", "иван", "--password-stdin"}, "втора-парола\n");
    QCOMPARE(run.exitCode, kExitOk);
    config = ReadLoginConfig(config_);
    QVERIFY(VerifyPassword(config.users[0].passwordHash, QStringLiteral("втора-парола")));

    run = RunAdmin({"user", "list"});
    QCOMPARE(run.exitCode, kExitOk);
    QVERIFY2(run.out.contains(QStringLiteral("иван")) && run.out.contains(QStringLiteral("USER2")) &&
                 run.out.contains(QStringLiteral("Иван Петров")),
             qPrintable(run.out));
    QVERIFY(!run.out.contains(QStringLiteral("argon2")));

    run = RunAdmin({"user", "remove", "иван"});
    QCOMPARE(run.exitCode, kExitOk);
    QVERIFY(ReadLoginConfig(config_).users.isEmpty());
    QVERIFY(Scalar(reg.Params(), QStringLiteral("select USER_ID from USERS where NAME = ?"), QStringLiteral("иван"))
                .isNull());
  }

  void removeKeepsTheUsersRowThatHistoryRefersTo() {
    TempRegister reg;
    QCOMPARE(
        RunAdmin({"user", "add", "мария", "--rights", "USER1", "--register", RegisterPath(reg), "--password-stdin"},
                 "парола-мария\n")
            .exitCode,
        kExitOk);
    {
      Database db;
      db.Attach(reg.Params());
      Statement(db, QStringLiteral("insert into INF_LOG (USER_ID, TYPE_T, T_ID, U_NAME) "
                                   "select USER_ID, 'SYSTEM', USER_ID, NAME from USERS where NAME = 'мария'"))
          .Execute();
      db.DefaultTransaction().Commit();
    }
    const AdminRun run = RunAdmin({"user", "remove", "мария"});
    QCOMPARE(run.exitCode, kExitOk);
    QVERIFY2(run.out.contains(QStringLiteral("остава")), qPrintable(run.out));
    QVERIFY(ReadLoginConfig(config_).users.isEmpty());
    QVERIFY(!Scalar(reg.Params(), QStringLiteral("select USER_ID from USERS where NAME = ?"), QStringLiteral("мария"))
                 .isNull());
  }

  void refusals_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("rights that give no level")
        << QStringList{"user", "add", "петър", "--rights", "USER5", "--password-stdin"} << QByteArray("дълга-парола\n")
        << kExitUsage
        << "Параметърът „--rights“ приема една от стойностите USER1, USER2, USER3, USER4, USER6, а не „USER5“.";
    QTest::newRow("no rights") << QStringList{"user", "add", "петър", "--password-stdin"}
                               << QByteArray("дълга-парола\n") << kExitUsage << "--rights";
    QTest::newRow("short password") << QStringList{"user", "add", "петър", "--rights", "USER3", "--password-stdin"}
                                    << QByteArray("къса\n") << kExitFailure << "поне 8";
    QTest::newRow("password not from a terminal") << QStringList{"user", "add", "петър", "--rights", "USER3"}
                                                  << QByteArray("дълга-парола\n") << kExitFailure << "--password-stdin";
    QTest::newRow("login too long") << QStringList{"user",     "add",   QString(51, u'я'),
                                                   "--rights", "USER3", "--password-stdin"}
                                    << QByteArray("дълга-парола\n") << kExitFailure << "50";
    QTest::newRow("unknown user's password") << QStringList{"user", "passwd", "никой", "--password-stdin"}
                                             << QByteArray("дълга-парола\n") << kExitFailure << "никой";
    QTest::newRow("unknown action") << QStringList{"user", "rename", "x"} << QByteArray() << kExitUsage << "rename";
  }
  void refusals() {
    QFETCH(QStringList, args);
    QFETCH(QByteArray, input);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    TempRegister reg;
    args << "--register" << RegisterPath(reg);
    if (args[1] != QLatin1String("add")) args.resize(args.size() - 2);
    const AdminRun run = RunAdmin(args, input);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QVERIFY(ReadLoginConfig(config_).users.isEmpty());
    QVERIFY(Scalar(reg.Params(), QStringLiteral("select count(*) from USERS")).toInt() == 0);
  }

  void addNeedsAnExistingRegisterAndANewLogin() {
    AdminRun run = RunAdmin({"user", "add", "иван", "--rights", "USER1", "--register",
                             dir_.filePath(QStringLiteral("няма.fdb")), "--password-stdin"},
                            "дълга-парола\n");
    QCOMPARE(run.exitCode, kExitFailure);
    QVERIFY2(run.err.contains(QStringLiteral("init-db")), qPrintable(run.err));
    QVERIFY(!QFile::exists(dir_.filePath(QStringLiteral("няма.fdb"))));

    TempRegister reg;
    run = RunAdmin({"user", "add", "иван", "--rights", "USER1", "--register", RegisterPath(reg), "--password-stdin"},
                   "дълга-парола\n");
    QCOMPARE(run.exitCode, kExitOk);
    // The register is now configured: no --register needed.
    run = RunAdmin({"user", "add", "иван", "--rights", "USER2", "--password-stdin"}, "друга-парола\n");
    QCOMPARE(run.exitCode, kExitFailure);
    QVERIFY2(run.err.contains(QStringLiteral("вече съществува")), qPrintable(run.err));
    QCOMPARE(ReadLoginConfig(config_).users.size(), 1);
  }
};

QTEST_GUILESS_MAIN(TestLoginAdminUsers)
#include "test_login_admin_users.moc"
