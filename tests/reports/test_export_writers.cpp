// The export writers without the dialog: the text file's lines and bytes, the .docx and .xlsx
// read back from their packages (titles, table, alignment, merges, bold rows, page), column
// letters and the column list's operations.
#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QtTest>

#include "export_package_reader.h"
#include "reports/export_columns.h"
#include "reports/writer_docx.h"
#include "reports/writer_txt.h"
#include "reports/writer_xlsx.h"

namespace {
// Three columns, the last floating-point, and three rows; one cell holds the delimiter.
ExportTable SampleTable() {
  ExportTable t;
  t.columns = {{QStringLiteral("Рег.номер")}, {QStringLiteral("Име")}, {QStringLiteral("Доход"), true}};
  static const QList<QStringList> rows = {
      {QStringLiteral("1"), QStringLiteral("Иван Петров"), QStringLiteral("10.50")},
      {QStringLiteral("2"), QStringLiteral("А|Б <&> \"кавички\""), QStringLiteral("7")},
      {QStringLiteral("3"), QStringLiteral("ред 1\nред 2"), QString()},
  };
  t.rowCount = rows.size();
  t.cells = [](int row, QStringList& cells) { cells << rows.at(row); };
  return t;
}

QByteArray ReadFile(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
}  // namespace

class TestExportWriters : public QObject {
  Q_OBJECT

 private slots:
  void columnLetters_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("letters");
    const QList<QPair<int, QString>> cases = {{0, "A"},   {25, "Z"},  {26, "AA"},  {27, "AB"},
                                              {51, "AZ"}, {52, "BA"}, {701, "ZZ"}, {702, "AAA"}};
    for (const auto& [column, letters] : cases) QTest::newRow(qPrintable(letters)) << column << letters;
  }
  void columnLetters() {
    QFETCH(int, column);
    QFETCH(QString, letters);
    QCOMPARE(ColumnLetters(column), letters);
  }

  void textFileLinesExactly_data() {
    QTest::addColumn<QString>("delimiter");
    QTest::newRow("bar") << QStringLiteral("|");
    QTest::newRow("several characters, used whole") << QStringLiteral(" ;; ");
  }
  void textFileLinesExactly() {
    QFETCH(QString, delimiter);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("list.txt"));
    ExportTable table = SampleTable();
    table.totals = {QStringLiteral("Общо"), QString(), QStringLiteral("17.50")};
    QList<int> progress;
    WriteTextExport(path, table, delimiter, [&](int rows) { progress << rows; });
    QCOMPARE(progress, (QList<int>{1, 2, 3}));
    const QByteArray bytes = ReadFile(path);
    const QString d = delimiter;
    const QString expected = "Рег.номер" + d + "Име" + d + "Доход\r\n" + "1" + d + "Иван Петров" + d + "10.50\r\n" +
                             "2" + d + "А|Б <&> \"кавички\"" + d + "7\r\n" + "3" + d + "ред 1\nред 2" + d + "\r\n" +
                             "Общо" + d + d + "17.50\r\n";
    QCOMPARE(QStringDecoder("windows-1251").decode(bytes), expected);
    QVERIFY(bytes.startsWith("\xd0\xe5\xe3"));  // "Рег" in the Cyrillic code page, not UTF-8
  }

  void textFileReplacesAnOlderOne() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("list.txt"));
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(10000, 'x'));
    old.close();
    WriteTextExport(path, SampleTable(), QStringLiteral("|"));
    QVERIFY(!ReadFile(path).contains('x'));
    QVERIFY_THROWS_EXCEPTION(ExportError, WriteTextExport(dir.filePath(QStringLiteral("no/such/folder/a.txt")),
                                                          SampleTable(), QStringLiteral("|")));
  }

  void docxHoldsWhatTheLayoutSays() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("list.docx"));
    ExportLayout layout;
    layout.title = {QStringLiteral("Списък на картотеката - 10.12.2026"), QStringLiteral("Втори ред")};
    layout.footer = QStringLiteral("Изготвил: clerk");
    layout.landscape = true;
    layout.fontSize = 9;
    WriteDocxExport(path, SampleTable(), layout);

    QVERIFY(PackagePartNames(path).contains(QStringLiteral("[Content_Types].xml")));
    const QByteArray documentXml = ReadPackagePart(path, QStringLiteral("word/document.xml"));
    const DocxBody body = ReadDocxBody(documentXml);
    QCOMPARE(body.before.size(), size_t(5));  // two title lines and three empty paragraphs
    QCOMPARE(body.before[0].text, layout.title[0]);
    QCOMPARE(body.before[1].text, layout.title[1]);
    for (const auto& p : body.before) QCOMPARE(p.alignment, QStringLiteral("center"));
    QVERIFY(body.before[2].text.isEmpty() && body.before[4].text.isEmpty());

    // A header row and one row per data row, each cell by cell: a delimiter in a cell stays there.
    QCOMPARE(body.rows.size(), size_t(4));
    for (const auto& row : body.rows) QCOMPARE(row.size(), size_t(3));
    QCOMPARE(body.rows[0][1].text, QStringLiteral("Име"));
    QCOMPARE(body.rows[2][1].text, QStringLiteral("А|Б <&> \"кавички\""));
    QCOMPARE(body.rows[3][1].text, QStringLiteral("ред 1\nред 2"));
    QCOMPARE(body.rows[1][2].alignment, QStringLiteral("right"));  // the floating-point column
    QCOMPARE(body.rows[1][1].alignment, QString());
    QVERIFY(documentXml.contains("<w:tblHeader/>"));
    QVERIFY(documentXml.contains("<w:tblPr><w:tblW w:w=\"0\" w:type=\"auto\"/><w:jc w:val=\"center\"/>"));
    QCOMPARE(documentXml.count("<w:gridCol "), 3);

    QVERIFY(!body.after.empty());
    QCOMPARE(body.after.back().text, layout.footer);
    QCOMPARE(body.after.back().alignment, QStringLiteral("center"));
    QVERIFY(documentXml.contains("w:orient=\"landscape\""));
    QVERIFY(ReadPackagePart(path, QStringLiteral("word/styles.xml")).contains("<w:sz w:val=\"18\"/>"));
  }

  void docxPortraitWithoutFooter() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("list.docx"));
    ExportLayout layout;
    layout.landscape = false;
    WriteDocxExport(path, SampleTable(), layout);
    const QByteArray documentXml = ReadPackagePart(path, QStringLiteral("word/document.xml"));
    QVERIFY(!documentXml.contains("landscape"));
    const DocxBody body = ReadDocxBody(documentXml);
    QCOMPARE(body.before.size(), size_t(3));
    QCOMPARE(body.after.size(), size_t(1));  // the paragraph every document ends with
    QVERIFY(body.after[0].text.isEmpty());
  }

  void docxWidthsFitTheContents() {
    const std::vector<int> fitted = DocxColumnWidths({4, 40}, {4, 10}, 10, 15000);
    QVERIFY(fitted[1] > 5 * fitted[0]);
    // Too wide for the page: a column of one long word keeps it, the texts wrap, all fits.
    const std::vector<int> natural = DocxColumnWidths({10, 200, 150}, {10, 12, 12}, 12, 1000000);
    const std::vector<int> shrunk = DocxColumnWidths({10, 200, 150}, {10, 12, 12}, 12, 15000);
    QCOMPARE(shrunk[0], natural[0]);
    QVERIFY(shrunk[1] > shrunk[2] && shrunk[2] > natural[0]);
    QVERIFY(shrunk[0] + shrunk[1] + shrunk[2] <= 15000);
  }

  // Two title lines over three columns: rows 1 and 2 merged A..C in bold, row 3 empty, bold
  // headers in row 4, text data from row 5, bold totals, the footer two rows below the data.
  void xlsxHoldsWhatTheLayoutSays() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("list.xlsx"));
    ExportLayout layout;
    layout.title = {QStringLiteral("Списък"), QStringLiteral("Втори ред")};
    layout.footer = QStringLiteral("Край");
    layout.fontSize = 14;
    ExportTable table = SampleTable();
    table.totals = {QStringLiteral("Общо"), QString(), QStringLiteral("17.50")};
    WriteXlsxExport(path, table, layout);

    const QByteArray sheet = ReadPackagePart(path, QStringLiteral("xl/worksheets/sheet1.xml"));
    const QByteArray styles = ReadPackagePart(path, QStringLiteral("xl/styles.xml"));
    const SheetCells cells = ReadSheetCells(sheet);
    QCOMPARE(cells.text.value("A1"), layout.title[0]);
    QCOMPARE(cells.text.value("A2"), layout.title[1]);
    QVERIFY(StyleIsBold(styles, cells.style.value("A1")));
    QVERIFY(cells.merges.contains("A1:C1") && cells.merges.contains("A2:C2"));
    QVERIFY(!cells.text.contains("A3"));
    QCOMPARE(cells.text.value("A4"), QStringLiteral("Рег.номер"));
    QCOMPARE(cells.text.value("C4"), QStringLiteral("Доход"));
    QVERIFY(StyleIsBold(styles, cells.style.value("B4")));
    QCOMPARE(cells.text.value("B5"), QStringLiteral("Иван Петров"));
    QCOMPARE(cells.text.value("A5"), QStringLiteral("1"));
    QCOMPARE(cells.type.value("A5"), QStringLiteral("inlineStr"));  // numbers stay text
    QVERIFY(!StyleIsBold(styles, cells.style.value("B5")));
    QCOMPARE(cells.text.value("B6"), QStringLiteral("А|Б <&> \"кавички\""));
    QCOMPARE(cells.text.value("A8"), QStringLiteral("Общо"));
    QVERIFY(StyleIsBold(styles, cells.style.value("A8")));
    QCOMPARE(cells.text.value("A9"), QStringLiteral("Край"));
    QVERIFY(cells.merges.contains("A9:C9"));
    QVERIFY(sheet.contains("orientation=\"landscape\""));
    QVERIFY(sheet.contains("<cols>"));
    QVERIFY(styles.contains("<sz val=\"14\"/>"));
    QVERIFY(styles.contains("<left style=\"thin\""));
    QVERIFY(styles.contains("vertical=\"top\""));
    QVERIFY(styles.contains("formatCode=\"@\"") || styles.contains("numFmtId=\"49\""));
  }

  void xlsxOneColumnAndNoTitle() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("one.xlsx"));
    ExportTable table;
    table.columns = {{QStringLiteral("Име")}};
    table.rowCount = 1;
    table.cells = [](int, QStringList& cells) { cells << QStringLiteral("Ана"); };
    ExportLayout layout;
    layout.title = {QStringLiteral("Заглавие")};
    layout.footer = QStringLiteral("Край");
    layout.landscape = false;
    WriteXlsxExport(path, table, layout);
    const SheetCells cells = ReadSheetCells(ReadPackagePart(path, QStringLiteral("xl/worksheets/sheet1.xml")));
    QCOMPARE(cells.text.value("A1"), QStringLiteral("Заглавие"));
    QCOMPARE(cells.text.value("A3"), QStringLiteral("Име"));
    QCOMPARE(cells.text.value("A4"), QStringLiteral("Ана"));
    QCOMPARE(cells.text.value("A6"), QStringLiteral("Край"));
    QVERIFY(cells.merges.isEmpty());
    // No leftover of the temporary name beside the file.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("one.xlsx")});
  }

  void xlsxFailureKeepsNoPartialFile() {
    QTemporaryDir dir;
    QVERIFY_THROWS_EXCEPTION(ExportError, WriteXlsxExport(dir.filePath(QStringLiteral("missing/x.xlsx")),
                                                          SampleTable(), ExportLayout()));
    QVERIFY_THROWS_EXCEPTION(ExportError, WriteDocxExport(dir.filePath(QStringLiteral("missing/x.docx")),
                                                          SampleTable(), ExportLayout()));
  }

  void xlsxColumnWidthGrowsWithTextAndFont() {
    QVERIFY(XlsxColumnWidth(30, 0) > XlsxColumnWidth(5, 0));
    QVERIFY(XlsxColumnWidth(10, 20) > XlsxColumnWidth(10, 8));
    QVERIFY(XlsxColumnWidth(100000, 0) <= 255);
  }

  void columnListOperations() {
    std::vector<ExportColumn> columns = {{"  №", "CARD_ID", false}, {"Рег.номер", "REG_NUM"}, {"Име", "NAME"},
                                         {"ЕГН", "EGN", false}};
    QStringList totals = {"t0", "t1", "t2", "t3"};
    InvertTicks(columns);
    QCOMPARE(TickedCount(columns), 2);
    QVERIFY(columns[0].ticked && columns[3].ticked);
    UntickAll(columns);
    QCOMPARE(TickedCount(columns), 0);
    TickAll(columns);
    QCOMPARE(TickedCount(columns), 4);

    // Dropping below the last entry moves the entry to the top; the totals at the two places swap.
    MoveExportColumn(columns, totals, 2, -1);
    QCOMPARE(columns[0].caption, QStringLiteral("Име"));
    QCOMPARE(columns[1].caption, QStringLiteral("  №"));
    QCOMPARE(columns[3].caption, QStringLiteral("ЕГН"));
    QCOMPARE(totals, (QStringList{"t2", "t1", "t0", "t3"}));
    MoveExportColumn(columns, totals, 0, 3);
    QCOMPARE(columns[3].caption, QStringLiteral("Име"));
    QCOMPARE(columns[0].caption, QStringLiteral("  №"));
  }

  void totalsAndFilters() {
    QCOMPARE(SplitTotals(QStringLiteral("1;;3;rest")), (QStringList{"1", "", "3"}));
    QCOMPARE(SplitTotals(QString()), QStringList());
    QCOMPARE(QtFileFilter(FormatInfo(ExportFormat::Word).filter),
             QStringLiteral("Документи(MSWord) (*.docx);;Всички (*)"));
    QCOMPARE(FormatInfo(ExportFormat::Excel).defaultExtension, QStringLiteral("xlsx"));
    QCOMPARE(FormatInfo(ExportFormat::Text).filter, QStringLiteral("Текстов файл|*.txt|Всички|*.*"));
    QVERIFY(FormatInfo(ExportFormat::Text).delimiterOption && !FormatInfo(ExportFormat::Text).pageOptions);
  }
};

QTEST_GUILESS_MAIN(TestExportWriters)
#include "test_export_writers.moc"
