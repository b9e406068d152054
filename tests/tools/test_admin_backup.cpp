// Backing up and restoring a register with tesaro-admin: the restored register opens and
// lists the same cards with the same members; a restore never overwrites a register, a
// register that is not there gives no backup, and a backup that fails keeps the older one.
#include <QTemporaryDir>
#include <QtTest>

#include "admin_exit.h"
#include "admin_process.h"
#include "backup_command.h"
#include "core/output_file.h"
#include "data/data_module.h"
#include "data/firebird/statement.h"
#include "temp_register.h"

namespace {
// Every card with its members, in registration-number order, as one line each.
QStringList Cards(TDataModule1& data) {
  Statement query(data.Db(), QStringLiteral("select c.REG_NUM, c.ADRESS, p.NAME, p.EGN from RGS_CARD c join RGS_PERSON p "
                                            "on p.CARD_ID = c.CARD_ID order by c.REG_NUM, p.PERSON_ID"));
  QStringList lines;
  query.Open();
  while (query.Next())
    lines << QStringLiteral("%1|%2|%3|%4").arg(query.Value(0).toString(), query.Value(1).toString().trimmed(),
                                               query.Value(2).toString().trimmed(), query.Value(3).toString());
  query.Close();
  return lines;
}
}  // namespace

class TestAdminBackup : public QObject {
  Q_OBJECT

 private slots:
  void backupAndRestore() {
    TempRegister original(QStringLiteral("Община Смолян"));
    const QString path = original.Params().path;
    const AdminRun seed = RunAdmin({QStringLiteral("seed"), path, QStringLiteral("--cards"), QStringLiteral("40")});
    QVERIFY2(seed.exitCode == kExitOk, qPrintable(seed.err));

    QTemporaryDir dir;
    const QString backup = dir.filePath(QStringLiteral("register.fbk"));
    const QString restored = dir.filePath(QStringLiteral("restored.fdb"));
    AdminRun run = RunAdmin({QStringLiteral("backup"), path, backup});
    QVERIFY2(run.exitCode == kExitOk, qPrintable(run.err));
    QVERIFY(run.out.contains(QStringLiteral("40 картона")));
    QVERIFY(!QFile::exists(backup + QStringLiteral(".part")));

    run = RunAdmin({QStringLiteral("restore"), backup, restored});
    QVERIFY2(run.exitCode == kExitOk, qPrintable(run.err));
    QVERIFY(run.out.contains(QStringLiteral("40 картона")));

    TDataModule1 copy;
    copy.Connect({restored, QStringLiteral("SYSDBA"), {}});
    copy.MainQuery().Open();
    QCOMPARE(copy.MainQuery().RowCount(), 40);
    const QStringList copied = Cards(copy);
    copy.Disconnect();
    QCOMPARE(copied, Cards(original.Data()));
    QCOMPARE(copied.size() > 40, true);

    // A second restore onto the same path is refused and leaves the register as it was.
    run = RunAdmin({QStringLiteral("restore"), backup, restored});
    QCOMPARE(run.exitCode, kExitFailure);
    QVERIFY(run.err.contains(QStringLiteral("вече съществува")));
    copy.Connect({restored, QStringLiteral("SYSDBA"), {}});
    QCOMPARE(Cards(copy), copied);
  }

  // A backup that does not fit on the disk leaves the older backup whole, as does a target
  // that is not a regular file, which is refused.
  void aFailedBackupKeepsTheOlderOne() {
    TempRegister reg;
    QTemporaryDir dir;
    const QString backup = dir.filePath(QStringLiteral("register.fbk"));
    {
      QFile file(backup);
      QVERIFY(file.open(QIODevice::WriteOnly));
      file.write("older backup");
    }
    QString outText, errText;
    QTextStream out(&outText), err(&errText);
    SetDiskRoomHook([](const QString&) { return qint64(1024); });
    const int code = RunBackup({reg.Params().path, backup}, out, err);
    SetDiskRoomHook({});
    err.flush();
    QCOMPARE(code, kExitFailure);
    QVERIFY2(errText.contains(QStringLiteral("не може да бъде записан: няма свободно място на диска.")),
             qPrintable(errText));
    QFile file(backup);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("older backup"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(), 1);

    const AdminRun run = RunAdmin({QStringLiteral("backup"), reg.Params().path, dir.path()});
    QCOMPARE(run.exitCode, kExitFailure);
    QVERIFY2(run.err.contains(QStringLiteral("не може да бъде записан: това е папка, а не файл.")),
             qPrintable(run.err));
  }

  void failures() {
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("none.fdb"));
    AdminRun run = RunAdmin({QStringLiteral("backup"), missing, dir.filePath(QStringLiteral("x.fbk"))});
    QCOMPARE(run.exitCode, kExitFailure);
    QVERIFY(run.err.contains(QStringLiteral("не съществува")));
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("x.fbk"))));

    run = RunAdmin({QStringLiteral("restore"), dir.filePath(QStringLiteral("x.fbk")), missing});
    QCOMPARE(run.exitCode, kExitFailure);
    QVERIFY(!QFile::exists(missing));

    run = RunAdmin({QStringLiteral("backup"), missing});
    QCOMPARE(run.exitCode, kExitUsage);
  }
};

QTEST_GUILESS_MAIN(TestAdminBackup)
#include "test_admin_backup.moc"
