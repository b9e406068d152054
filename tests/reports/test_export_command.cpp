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
#include "reports/docx_table_fit.h"
#include "reports/export_list_source.h"
#include "reports/save_rep_view.h"
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

  int Run(const QStringList& args, QString* errText = nullptr, QString* outText = nullptr) {
    QString outBuffer, errBuffer;
    QTextStream out(&outBuffer), err(&errBuffer);
    const int code = RunExport(args, out, err);
    out.flush();
    err.flush();
    if (errText) *errText = errBuffer;
    if (outText) *outText = outBuffer;
    return code;
  }

  // A views file as the export dialog writes it: "Кратък" of two users (clerk: Рег.номер and
  // Име; boss: Име), clerk's "Само ЕГН", and a view of another grid.
  QString WriteViews() {
    const QString file = dir_.filePath(QStringLiteral("views.ini"));
    QFile::remove(file);
    const std::vector<ExportSourceColumn> offered = RegisterExportColumns();
    auto ticks = [&](const QStringList& ticked) {
      std::vector<SavedViewColumn> columns;
      for (const ExportSourceColumn& c : offered) columns.push_back({c.caption, ticked.contains(c.caption)});
      return columns;
    };
    TSaveRepViewSettings store;
    store.LoadViews(file, QStringLiteral("clerk"));
    store.CreateView(QStringLiteral("Кратък"), "FamilyGrid", "GroupBox1", "MainForm", "clerk", ticks({"Рег.номер", "Име"}));
    store.CreateView(QStringLiteral("Кратък"), "FamilyGrid", "GroupBox1", "MainForm", "boss", ticks({"Име"}));
    store.CreateView(QStringLiteral("Само ЕГН"), "FamilyGrid", "GroupBox1", "MainForm", "clerk", ticks({"ЕГН"}));
    store.CreateView(QStringLiteral("Друга таблица"), "OtherGrid", "GroupBox1", "MainForm", "clerk", ticks({"ЕГН"}));
    return file;
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

  // The options the export dialog has: a saved view ticks the columns, the title and footer
  // lines, the font size and the page's orientation.
  void dialogOptions() {
    const QString views = WriteViews();
    const QString path = dir_.filePath(QStringLiteral("view.txt"));
    QCOMPARE(Run({register_->Params().path, "--format", "txt", "--out", path, "--view", "Кратък", "--views-file",
                  views, "--view-user", "clerk"}),
             0);
    QCOMPARE(TextLines(path).first(), QStringLiteral("Рег.номер|Име"));
    QCOMPARE(Run({register_->Params().path, "--format", "txt", "--out", path, "--view", "Само ЕГН", "--views-file",
                  views}),
             0);
    QCOMPARE(TextLines(path), (QStringList{"ЕГН", "8001010000", "8202020000", "8303030000"}));

    const QString docx = dir_.filePath(QStringLiteral("view.docx"));
    QString out;
    QCOMPARE(Run({register_->Params().path, "--format", "docx", "--out", docx, "--view", "Кратък", "--views-file",
                  views, "--view-user", "clerk", "--title", "Ред 1\\nРед 2", "--footer", "Изготвил\\nclerk",
                  "--orientation", "portrait", "--font-size", "9"},
                 nullptr, &out),
             0);
    const QByteArray documentXml = ReadPackagePart(docx, QStringLiteral("word/document.xml"));
    const DocxBody body = ReadDocxBody(documentXml);
    QCOMPARE(body.before[0].text, QStringLiteral("Ред 1"));
    QCOMPARE(body.before[1].text, QStringLiteral("Ред 2"));
    QCOMPARE(body.rows[0].size(), size_t(2));
    QCOMPARE(body.after.back().text, QStringLiteral("clerk"));
    QVERIFY(!documentXml.contains("landscape"));
    QVERIFY(ReadPackagePart(docx, QStringLiteral("word/styles.xml")).contains("<w:sz w:val=\"18\"/>"));
    QVERIFY(!out.contains(QStringLiteral("шрифт")));  // 9 pt fits: nothing to tell

    // Every column at 20 pt is too much: the table gets a smaller size, and the command says so.
    QCOMPARE(Run({register_->Params().path, "--format", "docx", "--out", docx, "--font-size", "20"}, nullptr, &out), 0);
    QVERIFY2(out.startsWith(QStringLiteral("С шрифт 20 пункта избраните колони не се събират")), qPrintable(out));
  }

  // Every column on a portrait page does not fit even at 7 pt: refused before anything is written.
  void tooWideDocumentIsRefused() {
    const QString docx = dir_.filePath(QStringLiteral("portrait.docx"));
    QString err;
    QCOMPARE(Run({register_->Params().path, "--format", "docx", "--out", docx, "--orientation", "portrait"}, &err), 1);
    QCOMPARE(err, DocxTooWideMessage(false) + u'\n');
    QVERIFY(!QFile::exists(docx));
  }

  // An unknown view is refused with the views there are; a name two users gave asks which.
  void viewRefusals() {
    const QString views = WriteViews();
    const QString path = dir_.filePath(QStringLiteral("refused.txt"));
    const QStringList base = {register_->Params().path, "--format", "txt", "--out", path, "--views-file", views};
    QString err;
    QCOMPARE(Run(base + QStringList{"--view", "Няма такъв"}, &err), 2);
    QVERIFY2(err.contains(QStringLiteral("„Няма такъв“")) && err.contains(QStringLiteral("„Кратък“ (clerk)")) &&
                 err.contains(QStringLiteral("„Кратък“ (boss)")) && err.contains(QStringLiteral("„Само ЕГН“ (clerk)")),
             qPrintable(err));
    QVERIFY(!err.contains(QStringLiteral("Друга таблица")));  // a view of another grid is not offered
    QCOMPARE(Run(base + QStringList{"--view", "Кратък"}, &err), 2);
    QVERIFY2(err.contains(QStringLiteral("--view-user")), qPrintable(err));
    QCOMPARE(Run({register_->Params().path, "--format", "txt", "--out", path, "--view", "Кратък", "--views-file",
                  dir_.filePath(QStringLiteral("none.ini"))},
                 &err),
             2);
    QVERIFY2(err.contains(QStringLiteral("не съществува")), qPrintable(err));
    QVERIFY(!QFile::exists(path));
  }

  void refusals_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("code");
    QTest::newRow("no format") << QStringList{"DB", "--out", "x"} << 2;
    QTest::newRow("unknown format") << QStringList{"DB", "--format", "pdf", "--out", "x"} << 2;
    QTest::newRow("unknown option") << QStringList{"DB", "--format", "txt", "--out", "x", "--colour", "red"} << 2;
    QTest::newRow("missing register") << QStringList{"/no/such.fdb", "--format", "txt", "--out", "x"} << 1;
    QTest::newRow("font too small") << QStringList{"DB", "--format", "docx", "--out", "x", "--font-size", "6"} << 2;
    QTest::newRow("font too large") << QStringList{"DB", "--format", "docx", "--out", "x", "--font-size", "21"} << 2;
    QTest::newRow("orientation") << QStringList{"DB", "--format", "docx", "--out", "x", "--orientation", "sideways"}
                                 << 2;
    QTest::newRow("title twice") << QStringList{"DB", "--format", "docx", "--out", "x", "--title", "a", "--title", "b"}
                                 << 2;
    QTest::newRow("title of a text file") << QStringList{"DB", "--format", "txt", "--out", "x", "--title", "a"} << 2;
    QTest::newRow("view user without view") << QStringList{"DB", "--format", "txt", "--out", "x", "--view-user", "a"}
                                            << 2;
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
