// The batch document commands: annual-list ranks a seeded register and writes its annual
// list as PDF, spreadsheet and text, and its public version as PDF and web page without
// personal data; service-note writes one card's note; bad arguments and missing cards are
// refused with a message and the exit code, writing nothing; a failed write keeps the previous
// PDF. With TESARO_REPORT_OUTPUT set to a folder, the two PDFs are also copied there to be
// looked at.
#include <QProcess>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QtTest>

#include "admin_exit.h"
#include "export_package_reader.h"
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

QStringList ColumnValues(Database& db, const QString& sql) {
  QStringList values;
  Statement statement(db, sql);
  statement.Open();
  while (statement.Next())
    if (const QString value = statement.Value(0).toString().trimmed(); !value.isEmpty()) values << value;
  return values;
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

  // The same ranked list as a spreadsheet under the list's title and as delimited text: the
  // printed list's columns, one row per household in place order, the same rows in both.
  void annualListAsSpreadsheetAndText() {
    Clock::FixedNow now(kNow);
    const QString xlsx = out_.filePath(QStringLiteral("annual.xlsx"));
    const QString txt = out_.filePath(QStringLiteral("annual.txt"));
    const QString pdf = out_.filePath(QStringLiteral("annual-too.pdf"));
    const Run run = RunCommand(RunAnnualList, {reg_->Params().path, "--xlsx", xlsx, "--txt", txt, "--pdf", pdf});
    QVERIFY2(run.code == kExitOk, qPrintable(run.err));
    QVERIFY(QFileInfo(pdf).size() > 0);

    QFile file(txt);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QStringDecoder cp1251("windows-1251");
    const QStringList lines = QString(cp1251(file.readAll())).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    const QStringList captions{"Място", "Заявление №", "Име на титуляра", "Група", "В групата от", "Особености",
                               "Година на включване"};
    QCOMPARE(lines.first(), captions.join(u'|'));
    const QString pdfText = PdfText(pdf);
    const int households = lines.size() - 1;
    QVERIFY(pdfText.contains(QStringLiteral("Списъкът съдържа общо %1 семейства/домакинства").arg(households)));
    int previousYear = 0;
    for (int i = 1; i < lines.size(); ++i) {
      const QStringList cells = lines[i].split(u'|');
      QCOMPARE(cells.size(), 7);
      QCOMPARE(cells[0], QString::number(i));
      QVERIFY2(QDate::fromString(cells[4], QStringLiteral("dd.MM.yyyy")).isValid(), qPrintable(cells[4]));
      QVERIFY(cells[6].toInt() >= previousYear && cells[6].toInt() <= 2026);
      previousYear = cells[6].toInt();
    }

    const SheetCells sheet = ReadSheetCells(ReadPackagePart(xlsx, QStringLiteral("xl/worksheets/sheet1.xml")));
    QVERIFY(sheet.text.value("A1").startsWith(QStringLiteral("Единен годишен списък за 2026 г.")));
    QVERIFY(sheet.text.value("A1").endsWith(QStringLiteral("Община Смолян")));
    int headerRow = 0;
    for (int row = 1; row < 6 && headerRow == 0; ++row)
      if (sheet.text.value(QStringLiteral("A%1").arg(row)) == captions[0]) headerRow = row;
    QVERIFY(headerRow > 1);
    for (int i = 0; i < lines.size(); ++i) {
      QStringList cells;
      for (const char* column : {"A", "B", "C", "D", "E", "F", "G"})
        cells << sheet.text.value(QStringLiteral("%1%2").arg(QLatin1String(column)).arg(headerRow + i));
      QCOMPARE(cells.join(u'|'), lines[i]);
    }
    QVERIFY(!sheet.text.contains(QStringLiteral("A%1").arg(headerRow + lines.size())));
  }

  // The public version, as PDF and as a web page, carries the places, registration numbers and
  // initials, and none of the register's names, personal numbers, addresses or applications.
  void publicVersionHoldsNoPersonalData() {
    Clock::FixedNow now(kNow);
    const QString pdf = out_.filePath(QStringLiteral("public.pdf"));
    const QString html = out_.filePath(QStringLiteral("public.html"));
    const Run run = RunCommand(RunAnnualList, {reg_->Params().path, "--public", "--pdf", pdf, "--html", html});
    QVERIFY2(run.code == kExitOk, qPrintable(run.err));
    const QString printed = PdfText(pdf);
    QFile file(html);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString page = QString::fromUtf8(file.readAll());

    Database db;
    db.Attach(reg_->Params());
    const QStringList names = ColumnValues(db, QStringLiteral("select NAME from RGS_PERSON"));
    const QStringList egns = ColumnValues(db, QStringLiteral("select EGN from RGS_PERSON"));
    const QStringList addresses = ColumnValues(db, QStringLiteral("select ADRESS from RGS_CARD"));
    const QStringList applications = ColumnValues(db, QStringLiteral("select DOC_IDTXT from RGS_CARD"));
    const QString expected = Statement(db, QStringLiteral("select count(*) from RGS_CARD where STATUS = 1 and "
                                                             "GRUPA <> 0 and POINTS_YEAR <= 2026"))
                                    .ScalarValue()
                                    .toString();
    db.Detach();
    QVERIFY(names.size() > 400 && egns.size() > 400 && addresses.size() > 100 && applications.size() > 100);
    for (const QStringList* values : {&names, &egns, &addresses, &applications})
      for (const QString& value : *values) {
        QVERIFY2(!printed.contains(value), qPrintable(value));
        QVERIFY2(!page.contains(value), qPrintable(value));
      }
    for (const QString* text : {&printed, &page}) {
      QVERIFY(text->contains(QStringLiteral("Единен годишен списък за 2026 г.")));
      QVERIFY(text->contains(QStringLiteral("Списъкът съдържа общо %1 семейства/домакинства").arg(expected)));
    }
    QVERIFY(printed.contains(QStringLiteral("Публичен вариант")));
    QVERIFY(page.contains(QStringLiteral("<html lang=\"bg\"")));
    QVERIFY(QRegularExpression(QStringLiteral("<td>\\d+</td><td>(\\S\\. )*\\S\\.</td>")).match(page).hasMatch());
    KeepForLooking(pdf);
    KeepForLooking(html);
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
    QTest::newRow("annual: public spreadsheet") << true << QStringList{"REG", "--public", "--xlsx", "OUT"} << kExitUsage
                                                << "само като --pdf и --html";
    QTest::newRow("annual: page without --public") << true << QStringList{"REG", "--html", "OUT"} << kExitUsage
                                                   << "дайте и --public";
    QTest::newRow("annual: --public with a value") << true << QStringList{"REG", "--public=да", "--pdf", "OUT"}
                                                   << kExitUsage << "не приема стойност";
    QTest::newRow("annual: --public alone") << true << QStringList{"REG", "--public"} << kExitUsage << "Употреба";
    QTest::newRow("annual: one file twice") << true << QStringList{"REG", "--pdf", "OUT", "--txt", "OUT"} << kExitUsage
                                            << "един и същ файл";
    QTest::newRow("annual: --txt twice") << true << QStringList{"REG", "--txt", "OUT", "--txt", "OUT"} << kExitUsage
                                         << "повече от веднъж";
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
