// Creating a register with tesaro-admin init-db: the database it makes, the refusals that
// leave nothing behind, the interactive questions and where the credentials come from.
#include <QtTest>
#include <csignal>

#include "admin_args.h"
#include "admin_connection.h"
#include "admin_exit.h"
#include "admin_process.h"
#include "data/firebird/database.h"
#include "data/firebird/statement.h"
#include "init_db.h"

namespace {
QVariant Scalar(Database& db, const QString& sql) { return Statement(db, sql).ScalarValue(); }

ConnectionParams Local(const QString& path) {
  ConnectionParams params;
  params.path = path;
  return params;
}
}  // namespace

class TestAdminInitDb : public QObject {
  Q_OBJECT
 private slots:
  void createsDialectOneWin1251RegisterWithCodeLists() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("нов регистър.fdb"));
    const AdminRun run = RunAdmin({QStringLiteral("init-db"), path, QStringLiteral("--municipality"),
                                   QStringLiteral("Община Тетевен"), QStringLiteral("--office"),
                                   QStringLiteral("Отдел \"Жилищна политика\"")});
    QVERIFY2(run.exitCode == kExitOk, qPrintable(run.err));
    QVERIFY2(run.out.contains(path), qPrintable(run.out));

    Database db;
    db.Attach(Local(path));
    QCOMPARE(Scalar(db, QStringLiteral("select MON$SQL_DIALECT from MON$DATABASE")).toInt(), 1);
    QCOMPARE(Scalar(db, QStringLiteral("select RDB$CHARACTER_SET_NAME from RDB$DATABASE")).toString().trimmed(),
             QStringLiteral("WIN1251"));
    QCOMPARE(Scalar(db, QStringLiteral("select S_INFO from NOM where N = 0")).toString(),
             QStringLiteral("Община Тетевен"));
    QCOMPARE(Scalar(db, QStringLiteral("select S_INFO from NOM where N = 1")).toString(),
             QStringLiteral("Отдел \"Жилищна политика\""));
    QVERIFY(Scalar(db, QStringLiteral("select S_INFO from NOM where N = 2")).isNull());  // paper: A4
    QCOMPARE(Scalar(db, QStringLiteral("select COUNTER from NOM where N = 3")).toInt(), 5);
    QCOMPARE(Scalar(db, QStringLiteral("select count(*) from NOM where N between 0 and 9")).toInt(), 10);
    QCOMPARE(Scalar(db, QStringLiteral("select count(*) from RGS_CARD")).toInt(), 0);
  }

  void refusesAndLeavesNothingBehind_data() {
    QTest::addColumn<QString>("target");  // relative to a temporary folder
    QTest::addColumn<QStringList>("extra");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("mustNotExist");
    QTest::newRow("existing file") << "old.fdb" << QStringList() << kExitFailure << "вече съществува"
                                   << "";
    QTest::newRow("missing folder") << "няма/r.fdb" << QStringList() << kExitFailure << "не съществува"
                                    << "няма/r.fdb";
    QTest::newRow("a folder") << "." << QStringList() << kExitFailure << "е папка"
                              << "";
    QTest::newRow("municipality too long") << "long.fdb" << QStringList{"--municipality", "Община " + QString(44, u'Я')}
                                           << kExitFailure << "по-дълго от 50"
                                           << "long.fdb";
    QTest::newRow("municipality outside the code page")
        << "cjk.fdb" << QStringList{"--municipality", QStringLiteral("Община 東京")} << kExitUsage
        << "Параметърът „--municipality“ приема текст без управляващи знаци, който регистърът може да съхрани"
        << "cjk.fdb";
    QTest::newRow("office too long") << "office.fdb" << QStringList{"--office", "Служба " + QString(44, u'Я')}
                                     << kExitFailure << "Името на службата е по-дълго от 50 знака" << "office.fdb";
    QTest::newRow("office outside the code page")
        << "office2.fdb" << QStringList{"--office", QStringLiteral("Служба 東京")} << kExitUsage
        << "Параметърът „--office“ приема текст без управляващи знаци, който регистърът може да съхрани"
        << "office2.fdb";
    QTest::newRow("unknown option") << "u.fdb" << QStringList{"--town", "X"} << kExitUsage << "--town"
                                    << "u.fdb";
    QTest::newRow("option without value")
        << "v.fdb" << QStringList{"--municipality"} << kExitUsage << "изисква стойност"
        << "v.fdb";
  }
  void refusesAndLeavesNothingBehind() {
    QFETCH(QString, target);
    QFETCH(QStringList, extra);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    QFETCH(QString, mustNotExist);
    QTemporaryDir dir;
    QFile old(dir.filePath(QStringLiteral("old.fdb")));
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("not a database, and must stay so");
    old.close();

    const AdminRun run = RunAdmin(QStringList{QStringLiteral("init-db"), dir.filePath(target)} + extra);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    if (!mustNotExist.isEmpty()) QVERIFY(!QFileInfo::exists(dir.filePath(mustNotExist)));
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("not a database, and must stay so"));
  }

  // A disk that fills up part-way through the creation (a file size limit stands in for it)
  // fails with the reason and leaves no file that a second run would refuse; with room, a
  // second run creates the register.
  void aFullDiskLeavesNoHalfMadeFile() {
    if (QStandardPaths::findExecutable(QStringLiteral("prlimit")).isEmpty()) QSKIP("prlimit is not installed");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("r.fdb"));
    for (const char* limit : {"1100000", "1500000"}) {
      QProcess process;
      // The limit makes a write fail instead of stopping the process, as a full disk would.
      process.setChildProcessModifier([] { signal(SIGXFSZ, SIG_IGN); });
      process.start(QStringLiteral("prlimit"), {QStringLiteral("--fsize=") + QLatin1String(limit),
                                                QStringLiteral(TESARO_ADMIN_BINARY), QStringLiteral("init-db"), path});
      QVERIFY(process.waitForFinished(120000));
      QCOMPARE(process.exitCode(), kExitFailure);
      QVERIFY2(QString::fromUtf8(process.readAllStandardError()).contains(QStringLiteral("Регистърът не е създаден")),
               limit);
      QVERIFY2(!QFileInfo::exists(path), limit);
    }
    QCOMPARE(RunAdmin({QStringLiteral("init-db"), path}).exitCode, kExitOk);
  }

  void withoutPathAndWithoutTerminalIsAUsageError() {
    const AdminRun run = RunAdmin({QStringLiteral("init-db")}, "/tmp/x.fdb\nОбщина Х\n");
    QCOMPARE(run.exitCode, kExitUsage);
    QVERIFY2(run.err.contains(QStringLiteral("Липсва път")), qPrintable(run.err));
  }

  void interactiveCreatesDefaultFolderAndAsksAgainForAnEmptyMunicipality() {
    QTemporaryDir dir;
    const QString defaultPath = dir.filePath(QStringLiteral("data/Tesaro/register.fdb"));
    QString input = QStringLiteral("\n\n   \nОбщина Русе\n");
    QTextStream in(&input);
    QString outText, errText;
    QTextStream out(&outText), err(&errText);
    QCOMPARE(RunInteractiveInit(in, out, err, defaultPath), kExitOk);
    QVERIFY2(errText.isEmpty(), qPrintable(errText));
    QCOMPARE(outText.count(QStringLiteral("Община (")), 3);  // asked until a name came
    QVERIFY(outText.contains(defaultPath));

    Database db;
    db.Attach(Local(defaultPath));
    QCOMPARE(Scalar(db, QStringLiteral("select S_INFO from NOM where N = 0")).toString(),
             QStringLiteral("Община Русе"));
  }

  void interactiveTypedPathAndEndOfInput_data() {
    QTest::addColumn<QString>("answers");  // %1 stands for the typed path
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<bool>("created");
    QTest::newRow("typed path") << "%1\nОбщина Габрово\n" << kExitOk << true;
    QTest::newRow("input ends before the municipality") << "%1\n" << kExitFailure << false;
    QTest::newRow("input ends at once") << "" << kExitFailure << false;
  }
  void interactiveTypedPathAndEndOfInput() {
    QFETCH(QString, answers);
    QFETCH(int, exitCode);
    QFETCH(bool, created);
    QTemporaryDir dir;
    const QString typed = dir.filePath(QStringLiteral("typed.fdb"));
    QString input = answers.contains(QStringLiteral("%1")) ? answers.arg(typed) : answers;
    QTextStream in(&input);
    QString outText, errText;
    QTextStream out(&outText), err(&errText);
    QCOMPARE(RunInteractiveInit(in, out, err, dir.filePath(QStringLiteral("default/register.fdb"))), exitCode);
    QCOMPARE(QFileInfo::exists(typed), created);
    QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("default"))));
    if (!created) QVERIFY(errText.contains(QStringLiteral("Прекъснато")));
  }

  void defaultPathIsInTheUsersDataFolder() {
    const QString expected =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Tesaro/register.fdb");
    QCOMPARE(DefaultRegisterPath(), expected);
  }

  void credentialsComeFromOptionsThenEnvironmentThenSysdba_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("envUser");
    QTest::addColumn<QByteArray>("envPassword");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::newRow("nothing given") << QStringList() << QByteArray() << QByteArray() << "SYSDBA"
                                   << "";
    QTest::newRow("environment") << QStringList() << QByteArray("clerk") << QByteArray("s3cret") << "clerk"
                                 << "s3cret";
    QTest::newRow("options win") << QStringList{"--user", "admin", "--password", "pw"} << QByteArray("clerk")
                                 << QByteArray("s3cret") << "admin"
                                 << "pw";
  }
  void credentialsComeFromOptionsThenEnvironmentThenSysdba() {
    QFETCH(QStringList, args);
    QFETCH(QByteArray, envUser);
    QFETCH(QByteArray, envPassword);
    QFETCH(QString, user);
    QFETCH(QString, password);
    qputenv("ISC_USER", envUser);
    qputenv("ISC_PASSWORD", envPassword);
    const ParsedArgs parsed = ParseArgs(args, CredentialRules());
    const ConnectionParams server = AdminConnection(QStringLiteral("localhost:/srv/r.fdb"), parsed);
    qunsetenv("ISC_USER");
    qunsetenv("ISC_PASSWORD");
    QCOMPARE(server.path, QStringLiteral("localhost:/srv/r.fdb"));
    QCOMPARE(server.user, user);
    QCOMPARE(server.password, password);
  }

  void relativePathBecomesAbsolute() {
    const ConnectionParams params = AdminConnection(QStringLiteral("sub/r.fdb"), ParsedArgs{});
    QCOMPARE(params.path, QDir::current().absoluteFilePath(QStringLiteral("sub/r.fdb")));
  }
};

QTEST_GUILESS_MAIN(TestAdminInitDb)
#include "test_admin_init_db.moc"
