// The batch document commands: annual-list ranks a seeded register and writes its annual
// list as PDF; service-note writes one card's note; bad arguments and missing cards are
// refused with a message and the exit code, writing nothing; a failed write keeps the previous
// PDF. With TESARO_REPORT_OUTPUT set to a folder, the two PDFs are also copied there to be
// looked at.
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "admin_exit.h"
#include "annual_list_command.h"
#include "core/clock.h"
#include "core/output_file.h"
#include "data/firebird/statement.h"
#include "seed_writer.h"
#include "service_note_command.h"
#include "temp_register.h"

namespace {
const QDateTime kNow(QDate(2026, 12, 10), QTime(10, 0));

struct Run {
  int code = 0;
  QString out;
  QString err;
};

template <typename Command>
Run RunCommand(Command command, const QStringList& args) {
  Run run;
  QTextStream out(&run.out);
  QTextStream err(&run.err);
  run.code = command(args, out, err);
  out.flush();
  err.flush();
  return run;
}

void KeepForLooking(const QString& path) {
  const QString folder = qEnvironmentVariable("TESARO_REPORT_OUTPUT");
  if (folder.isEmpty()) return;
  const QString copy = QDir(folder).filePath(QFileInfo(path).fileName());
  QFile::remove(copy);
  QFile::copy(path, copy);
}

QString PdfText(const QString& path) {
  QProcess pdftotext;
  pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
  pdftotext.waitForFinished(60000);
  return QString::fromUtf8(pdftotext.readAllStandardOutput());
}
}  // namespace

class TestAnnualListCommand : public QObject {
  Q_OBJECT
  std::unique_ptr<TempRegister> reg_;
  QTemporaryDir out_;

 private slots:
  void initTestCase() {
    reg_ = std::make_unique<TempRegister>(QStringLiteral("Община Смолян"));
    Database db;
    db.Attach(reg_->Params());
    SeedRequest request;
    request.cards = 400;
    request.seed = 7;
    request.today = kNow.date();
    SeedRegister(db, request);
    db.Detach();
  }
  void cleanupTestCase() { reg_.reset(); }

  void annualListRanksAndWritesThePdf() {
    Clock::FixedNow now(kNow);
    const QString pdf = out_.filePath(QStringLiteral("annual.pdf"));
    const Run run = RunCommand(RunAnnualList, {reg_->Params().path, QStringLiteral("--pdf"), pdf});
    QVERIFY2(run.code == kExitOk, qPrintable(run.err));
    QVERIFY(run.out.contains(QStringLiteral("2026 г.")));

    // The listed households are exactly the ranked query's, every one on a line of its own.
    Database db;
    db.Attach(reg_->Params());
    const int expected = Statement(db, QStringLiteral("select count(*) from RGS_CARD where STATUS = 1 and GRUPA <> 0 "
                                                      "and POINTS_YEAR <= 2026")).ScalarValue().toInt();
    const int missingYears =
        Statement(db, QStringLiteral("select count(*) from RGS_CARD where POINTS_YEAR is null")).ScalarValue().toInt();
    db.Detach();
    QVERIFY(expected > 0);
    QCOMPARE(missingYears, 0);  // the refresh filled every year of inclusion
    const QString text = PdfText(pdf);
    QVERIFY(text.contains(QStringLiteral("Единен годишен списък за 2026 г.")));
    QVERIFY(text.contains(QStringLiteral("Община Смолян")));
    QVERIFY(text.contains(QStringLiteral("Списъкът съдържа общо %1 семейства/домакинства").arg(expected)));
    QVERIFY(text.contains(QStringLiteral("Списък за")));
    QVERIFY(run.out.contains(QStringLiteral("(%1 семейства/домакинства").arg(expected)));
    KeepForLooking(pdf);
  }

  void serviceNoteWritesTheCardsNote() {
    Clock::FixedNow now(kNow);
    const QString pdf = out_.filePath(QStringLiteral("note.pdf"));
    const Run run = RunCommand(RunServiceNote, {reg_->Params().path, QStringLiteral("--reg-num"), QStringLiteral("7"),
                                                QStringLiteral("--pdf"), pdf});
    QVERIFY2(run.code == kExitOk, qPrintable(run.err));
    const QString text = PdfText(pdf);
    QVERIFY(text.contains(QStringLiteral("СЛУЖЕБНА БЕЛЕЖКА")));
    QVERIFY(text.contains(QStringLiteral("Община Смолян")));
    QVERIFY(text.contains(QStringLiteral("10.12.2026")));
    QVERIFY(text.contains(QStringLiteral("Гл.Специалист:")));
    KeepForLooking(pdf);
  }

  // A disk that fills up halfway: the command fails, says why, and the previous PDF stays
  // whole; a folder, a device or a FIFO given as the PDF is refused before anything is done.
  void aFailedWriteKeepsThePreviousPdf_data() {
    QTest::addColumn<bool>("annual");
    QTest::newRow("annual-list") << true;
    QTest::newRow("service-note") << false;
  }
  void aFailedWriteKeepsThePreviousPdf() {
    QFETCH(bool, annual);
    Clock::FixedNow now(kNow);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("previous.pdf"));
    const QByteArray previous = "%PDF-1.4 the previous, whole document";
    {
      QFile file(pdf);
      QVERIFY(file.open(QIODevice::WriteOnly));
      file.write(previous);
    }
    const QStringList args = annual ? QStringList{reg_->Params().path, QStringLiteral("--pdf"), pdf}
                                    : QStringList{reg_->Params().path, QStringLiteral("--reg-num"), QStringLiteral("7"),
                                                  QStringLiteral("--pdf"), pdf};
    SetDiskRoomHook([](const QString&) { return qint64(4096); });
    const Run run = annual ? RunCommand(RunAnnualList, args) : RunCommand(RunServiceNote, args);
    SetDiskRoomHook({});
    QCOMPARE(run.code, kExitFailure);
    QVERIFY2(
        run.err.contains(QStringLiteral("Файлът „%1“ не може да бъде записан: няма свободно място на диска.").arg(pdf)),
        qPrintable(run.err));
    QVERIFY(!run.out.contains(QStringLiteral("записан")));
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), previous);
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(), 1);

    for (const QString& target : {dir.path(), QStringLiteral("/dev/null")}) {
      QStringList refused = args;
      refused.last() = target;
      const Run run = annual ? RunCommand(RunAnnualList, refused) : RunCommand(RunServiceNote, refused);
      QCOMPARE(run.code, kExitFailure);
      QVERIFY2(run.err.contains(QStringLiteral("не може да бъде записан: това е")), qPrintable(run.err));
    }
    QVERIFY(QFileInfo(QStringLiteral("/dev/null")).exists() && !QFileInfo(QStringLiteral("/dev/null")).isFile());
  }

  void refusals_data() {
    QTest::addColumn<bool>("annual");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");
    QTest::newRow("annual: no --pdf") << true << QStringList{"REG"} << kExitUsage << "Употреба";
    QTest::newRow("annual: unknown option") << true << QStringList{"REG", "--pdf", "OUT", "--x", "1"} << kExitUsage
                                            << "Непознат параметър";
    QTest::newRow("annual: no register") << true << QStringList{"MISSING", "--pdf", "OUT"} << kExitFailure
                                         << "не съществува";
    QTest::newRow("note: no --reg-num") << false << QStringList{"REG", "--pdf", "OUT"} << kExitUsage << "Употреба";
    QTest::newRow("note: bad --reg-num") << false << QStringList{"REG", "--reg-num", "7a", "--pdf", "OUT"} << kExitUsage
                                         << "цяло положително число";
    QTest::newRow("note: no such card") << false << QStringList{"REG", "--reg-num", "99999", "--pdf", "OUT"}
                                        << kExitFailure << "няма картон с рег. № 99999";
    QTest::newRow("note: folder missing") << false << QStringList{"REG", "--reg-num", "3", "--pdf", "NOWHERE"}
                                          << kExitFailure << "не може да бъде записан";
  }
  void refusals() {
    QFETCH(bool, annual);
    QFETCH(QStringList, args);
    QFETCH(int, code);
    QFETCH(QString, message);
    const QString written = out_.filePath(QStringLiteral("refused.pdf"));
    for (QString& arg : args) {
      if (arg == QLatin1String("REG")) arg = reg_->Params().path;
      if (arg == QLatin1String("MISSING")) arg = out_.filePath(QStringLiteral("missing.fdb"));
      if (arg == QLatin1String("OUT")) arg = written;
      if (arg == QLatin1String("NOWHERE")) arg = out_.filePath(QStringLiteral("no/such/folder/note.pdf"));
    }
    const Run run = annual ? RunCommand(RunAnnualList, args) : RunCommand(RunServiceNote, args);
    QCOMPARE(run.code, code);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QVERIFY(!QFileInfo::exists(written));
  }
};

QTEST_MAIN(TestAnnualListCommand)
#include "test_annual_list_command.moc"
