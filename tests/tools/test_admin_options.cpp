// Every option value of every tesaro-admin command that cannot be read is refused, naming the
// option and what it accepts, with exit code 2 and nothing written: never dropped (a search
// criterion dropped exports the whole register) nor read as another value.
#include <QTemporaryDir>
#include <QtTest>

#include "admin_exit.h"
#include "admin_process.h"
#include "data/firebird/database.h"
#include "data/firebird/statement.h"
#include "temp_register.h"

namespace {
const QString kRegNumAccepts = QStringLiteral("приема цяло положително число от 1 до 2147483647");
}  // namespace

class TestAdminOptions : public QObject {
  Q_OBJECT
  std::unique_ptr<TempRegister> reg_;
  QTemporaryDir dir_;

  QString Out() const { return dir_.filePath(QStringLiteral("out.txt")); }

 private slots:
  void initTestCase() {
    reg_ = std::make_unique<TempRegister>();
    const AdminRun seed = RunAdmin({QStringLiteral("seed"), reg_->Params().path, QStringLiteral("--cards"),
                                    QStringLiteral("60"), QStringLiteral("--date"), QStringLiteral("01.06.2025")});
    QVERIFY2(seed.exitCode == kExitOk, qPrintable(seed.err));
  }
  void cleanupTestCase() { reg_.reset(); }

  // REG stands for the register, OUT for a file in a temporary folder.
  void unreadableValuesAreRefused_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");
    const QStringList exportTxt{"export", "REG", "--format", "txt", "--out", "OUT"};
    for (const char* regNum : {"abc", "-5", "2147483648", "1 or 1=1", "0", "+5", " 5", "7a", ""}) {
      const QString shown = *regNum ? QStringLiteral("а не „%1“.").arg(QString::fromUtf8(regNum))
                                    : QStringLiteral("а не празна стойност.");
      QTest::addRow("export --reg-num '%s'", regNum)
          << exportTxt + QStringList{"--reg-num", regNum} << "Параметърът „--reg-num“ " + kRegNumAccepts + ", " + shown;
      QTest::addRow("service-note --reg-num '%s'", regNum)
          << QStringList{"service-note", "REG", "--pdf", "OUT", "--reg-num", regNum}
          << "Параметърът „--reg-num“ " + kRegNumAccepts + ", " + shown;
    }
    QTest::newRow("export: unknown status")
        << exportTxt + QStringList{"--status", "Архивиран"}
        << "Параметърът „--status“ приема състояние от номенклатурата: „Картотекиран“, „Включен в списъка“, "
           "„Отложен“, „Изключен от списъка“, „Получил жилище“, а не „Архивиран“.";
    QTest::newRow("export: unknown group")
        << exportTxt + QStringList{"--group", "6.други"}
        << "Параметърът „--group“ приема група от номенклатурата: „1.възстановяване на бивш. собств.“";
    QTest::newRow("export: format") << QStringList{"export", "REG", "--format", "pdf", "--out", "OUT"}
                                    << "Параметърът „--format“ приема една от стойностите txt, docx, xlsx, а не „pdf“.";
    QTest::newRow("export: empty delimiter") << exportTxt + QStringList{"--delimiter", ""}
                                             << "Параметърът „--delimiter“ приема един или повече знака";
    QTest::newRow("export: line break as delimiter") << exportTxt + QStringList{"--delimiter", "\n"}
                                                     << "Параметърът „--delimiter“ приема";
    QTest::newRow("export: delimiter the file cannot hold") << exportTxt + QStringList{"--delimiter", "→"}
                                                            << "а не „→“.";
    QTest::newRow("export: name the register cannot hold")
        << exportTxt + QStringList{"--name", "日本"}
        << "Параметърът „--name“ приема текст без управляващи знаци, който регистърът може да съхрани";
    QTest::newRow("export: control character") << exportTxt + QStringList{"--notes", "a\x01b"}
                                               << "Параметърът „--notes“ приема текст без управляващи знаци";
    QTest::newRow("export: empty file name") << QStringList{"export", "REG", "--format", "txt", "--out", ""}
                                             << "Параметърът „--out“ приема име на файл, а не празна стойност.";
    QTest::newRow("export: option twice") << exportTxt + QStringList{"--reg-num", "1", "--reg-num", "2"}
                                          << "Параметърът „--reg-num“ е даден повече от веднъж.";
    QTest::newRow("export: next option as value")
        << QStringList{"export", "REG", "--reg-num", "--format", "txt", "--out", "OUT"}
        << "Параметърът „--reg-num“ изисква стойност.";
    QTest::newRow("export: empty user") << exportTxt + QStringList{"--user", ""}
                                        << "Параметърът „--user“ приема непразен текст без управляващи знаци";
    QTest::newRow("annual-list: empty file name") << QStringList{"annual-list", "REG", "--pdf", ""}
                                                  << "Параметърът „--pdf“ приема име на файл";
    QTest::newRow("seed: cards") << QStringList{"seed", "REG", "--cards", "1e3"}
                                 << "Параметърът „--cards“ " + kRegNumAccepts + ", а не „1e3“.";
    QTest::newRow("seed: negative seed") << QStringList{"seed", "REG", "--cards", "5", "--seed", "-1"}
                                         << "Параметърът „--seed“ приема цяло неотрицателно число до "
                                            "18446744073709551615, а не „-1“.";
    QTest::newRow("seed: date") << QStringList{"seed", "REG", "--cards", "5", "--date", "2025-06-01"}
                                << "Параметърът „--date“ приема дата във вида ДД.ММ.ГГГГ, а не „2025-06-01“.";
    QTest::newRow("seed: no such day") << QStringList{"seed", "REG", "--cards", "5", "--date", "31.02.2025"}
                                       << "Параметърът „--date“ приема дата във вида ДД.ММ.ГГГГ";
    QTest::newRow("seed: empty population file") << QStringList{"seed", "REG", "--cards", "5", "--population", ""}
                                                 << "Параметърът „--population“ приема име на файл";
    QTest::newRow("init-db: municipality") << QStringList{"init-db", "OUT", "--municipality", "Община\tТест"}
                                           << "Параметърът „--municipality“ приема текст без управляващи знаци";
    QTest::newRow("user add: rights") << QStringList{"user", "add", "ivan", "--rights", "ADMIN", "--config", "OUT"}
                                      << "Параметърът „--rights“ приема една от стойностите USER1, USER2, USER3, "
                                         "USER4, USER6, а не „ADMIN“.";
    QTest::newRow("user add: name") << QStringList{"user", "add", "ivan", "--rights", "USER1", "--name", "日本",
                                                   "--config", "OUT"}
                                    << "Параметърът „--name“ приема текст без управляващи знаци, който регистърът";
    QTest::newRow("user list: empty config") << QStringList{"user", "list", "--config", ""}
                                             << "Параметърът „--config“ приема име на файл, а не празна стойност.";
    QTest::newRow("population: empty store") << QStringList{"population", "import", "OUT", "--db", ""}
                                             << "Параметърът „--db“ приема име на файл, а не празна стойност.";
    QTest::newRow("backup: empty user") << QStringList{"backup", "REG", "OUT", "--user", ""}
                                        << "Параметърът „--user“ приема непразен текст";
    QTest::newRow("euro: dry run with a value") << QStringList{"euro", "REG", "--dry-run=yes"}
                                                << "Параметърът „--dry-run“ не приема стойност.";
    QTest::newRow("adopt: empty report file name") << QStringList{"adopt", "REG", "OUT", "--report", ""}
                                                   << "Параметърът „--report“ приема име на файл, а не празна стойност.";
  }
  void unreadableValuesAreRefused() {
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    for (QString& arg : args) {
      if (arg == QLatin1String("REG")) arg = reg_->Params().path;
      if (arg == QLatin1String("OUT")) arg = Out();
    }
    const AdminRun run = RunAdmin(args);
    QCOMPARE(run.exitCode, kExitUsage);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QVERIFY(!QFileInfo::exists(Out()));
  }

  // The values the rules accept still work: a name from the code list, a number with leading
  // zeros, a choice in capitals.
  void readableValuesExportWhatTheyName() {
    Database db;
    db.Attach(reg_->Params());
    const int included =
        Statement(db, QStringLiteral("select count(*) from RGS_CARD where STATUS = 1")).ScalarValue().toInt();
    db.Detach();
    QVERIFY(included > 0);
    AdminRun run = RunAdmin({QStringLiteral("export"), reg_->Params().path, QStringLiteral("--format"),
                             QStringLiteral("TXT"), QStringLiteral("--out"), Out(), QStringLiteral("--status"),
                             QStringLiteral("Включен в списъка")});
    QVERIFY2(run.exitCode == kExitOk, qPrintable(run.err));
    QVERIFY2(run.out.contains(QStringLiteral("Записани %1 картона").arg(included)), qPrintable(run.out));

    run = RunAdmin({QStringLiteral("export"), reg_->Params().path, QStringLiteral("--format=txt"),
                    QStringLiteral("--out"), Out(), QStringLiteral("--reg-num"), QStringLiteral("007")});
    QVERIFY2(run.exitCode == kExitOk, qPrintable(run.err));
    QVERIFY2(run.out.contains(QStringLiteral("Записани 1 картона")), qPrintable(run.out));
    QFile::remove(Out());
  }
};

QTEST_GUILESS_MAIN(TestAdminOptions)
#include "test_admin_options.moc"
