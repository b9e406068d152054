// tesaro-admin export over a real register: the whole register and a search as text with the
// grid's default columns, the documents as packages, the refusals of bad arguments, and files
// that cannot be written.
#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QtTest>

#include "core/output_file.h"
#include "data/firebird/statement.h"
#include "export_cards.h"
#include "export_command.h"
#include "export_package_reader.h"
#include "temp_register.h"

namespace {
QStringList TextLines(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return {};
  const QString text = QStringDecoder("windows-1251").decode(f.readAll());
  return text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}
}  // namespace

class TestExportCommand : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TempRegister> register_;
  QTemporaryDir dir_;

  int Run(const QStringList& args, QString* errText = nullptr) {
    QString outText, errBuffer;
    QTextStream out(&outText), err(&errBuffer);
    const int code = RunExport(args, out, err);
    err.flush();
    if (errText) *errText = errBuffer;
    return code;
  }

 private slots:
  void initTestCase() {
    register_ = std::make_unique<TempRegister>();
    TDataModule1& data = register_->Data();
    InsertExportCard(data, 1, QStringLiteral("Иван Петров"), QStringLiteral("8001010000"));
    InsertExportCard(data, 2, QStringLiteral("Мария Георгиева"), QStringLiteral("8202020000"));
    InsertExportCard(data, 3, QStringLiteral("Петър Иванов"), QStringLiteral("8303030000"));
    data.Commit();
  }
  void cleanupTestCase() { register_.reset(); }

  void wholeRegisterAndSearchAsText() {
    const QString path = dir_.filePath(QStringLiteral("all.txt"));
    QCOMPARE(Run({register_->Params().path, "--format", "txt", "--out", path}), 0);
    const QStringList lines = TextLines(path);
    QCOMPARE(lines.size(), 4);
    const QStringList header = lines[0].split(u'|');
    QCOMPARE(header.size(), 17);  // the grid's visible columns without the row number
    QCOMPARE(header.first(), QStringLiteral("Рег.номер"));
    QVERIFY(lines[2].startsWith(QStringLiteral("2|15.03.2021|Мария Георгиева|8202020000|")));

    const QString found = dir_.filePath(QStringLiteral("found.txt"));
    QCOMPARE(Run({register_->Params().path, "--format", "txt", "--out", found, "--name", "иванов", "--delimiter", ";"}), 0);
    const QStringList foundLines = TextLines(found);
    QCOMPARE(foundLines.size(), 2);
    QVERIFY(foundLines[1].startsWith(QStringLiteral("3;")));
  }

  void documents() {
    const QString docx = dir_.filePath(QStringLiteral("all.docx"));
    const QString xlsx = dir_.filePath(QStringLiteral("all.xlsx"));
    QCOMPARE(Run({register_->Params().path, "--format", "docx", "--out", docx}), 0);
    QCOMPARE(Run({register_->Params().path, "--format", "XLSX", "--out", xlsx}), 0);
    QCOMPARE(ReadDocxBody(ReadPackagePart(docx, QStringLiteral("word/document.xml"))).rows.size(), size_t(4));
    const SheetCells cells = ReadSheetCells(ReadPackagePart(xlsx, QStringLiteral("xl/worksheets/sheet1.xml")));
    QCOMPARE(cells.text.value("C6"), QStringLiteral("Петър Иванов"));
    QVERIFY(cells.text.value("A1").startsWith(QStringLiteral("Списък на картотеката - ")));
  }

  void refusals_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("code");
    QTest::newRow("no format") << QStringList{"DB", "--out", "x"} << 2;
    QTest::newRow("unknown format") << QStringList{"DB", "--format", "pdf", "--out", "x"} << 2;
    QTest::newRow("unknown option") << QStringList{"DB", "--format", "txt", "--out", "x", "--colour", "red"} << 2;
    QTest::newRow("missing register") << QStringList{"/no/such.fdb", "--format", "txt", "--out", "x"} << 1;
  }
  void refusals() {
    QFETCH(QStringList, args);
    QFETCH(int, code);
    if (args.first() == QLatin1String("DB")) args.first() = register_->Params().path;
    QString err;
    QCOMPARE(Run(args, &err), code);
    QVERIFY(!err.isEmpty());
  }

  // A missing folder, or a disk that fills up while the file is written: exit 1 with the
  // reason, and an older file of that name stays whole.
  void unwritableFileFails_data() {
    QTest::addColumn<QString>("format");
    for (const char* format : {"txt", "docx", "xlsx"}) QTest::newRow(format) << QString::fromLatin1(format);
  }
  void unwritableFileFails() {
    QFETCH(QString, format);
    QString err;
    const QString nowhere = dir_.filePath("no/such/x." + format);
    QCOMPARE(Run({register_->Params().path, "--format", format, "--out", nowhere}, &err), 1);
    QVERIFY2(err.contains(QStringLiteral("не може да бъде записан: папката")), qPrintable(err));

    QTemporaryDir dir;
    const QString path = dir.filePath("previous." + format);
    {
      QFile file(path);
      QVERIFY(file.open(QIODevice::WriteOnly));
      file.write("previous export");
    }
    SetDiskRoomHook([](const QString&) { return qint64(100); });
    const int code = Run({register_->Params().path, "--format", format, "--out", path}, &err);
    SetDiskRoomHook({});
    QCOMPARE(code, 1);
    QVERIFY2(err.contains(QStringLiteral("Файлът „%1“ не може да бъде записан: няма свободно място на диска.").arg(path)),
             qPrintable(err));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("previous export"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(), 1);
  }
};

QTEST_GUILESS_MAIN(TestExportCommand)
#include "test_export_command.moc"
