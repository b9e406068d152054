// The export writers without the dialog: the text file's lines and bytes, the .docx and .xlsx
// read back from their packages (titles, table, alignment, merges, bold rows, page), column
// letters and the column list's operations.
#include <QFile>
#include <QRegularExpression>
#include <numeric>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QtTest>

#include "export_package_reader.h"
#include "reports/docx_table_fit.h"
#include "reports/document_font_widths.h"
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

// The register list's default columns with a row of the widest texts a register holds: dates,
// personal numbers, years, multi-word names and addresses.
ExportTable RegisterListTable(int rows) {
  static const QStringList captions = {
      "Рег.номер", "Рег.дата", "Име", "ЕГН", "Статус", "Група", "от дата", "особености", "Тежест(точки)",
      "Год. на вкл.", "Деца до 18г", "Адрес", "Адр.дата", "Заявление N:", "Декл.N:", "Декл. дата",
      "Последно класиране"};
  static const QStringList row = {
      "123456", "30.09.2007", "Стефка Константинова Христозова", "6806281097", "Изключен от списъка",
      "2.засегнати от ново строителство", "30.09.2007", "Без подгрупа", "1234", "2007", "3",
      "гр. Примерно, ж.к. Младост, бл. 123, вх. Б, ет. 4, ап. 12", "01.02.2020", "В-12345", "Д-1",
      "15.01.2024", "2024: място 125"};
  ExportTable t;
  for (const QString& c : captions) t.columns.push_back({c});
  t.rowCount = rows;
  t.cells = [](int, QStringList& cells) { cells << row; };
  return t;
}

// The widths of the table's columns (w:gridCol) and its paragraphs' size in half points.
std::vector<int> GridWidths(const QByteArray& documentXml) {
  std::vector<int> widths;
  static const QRegularExpression gridCol(QStringLiteral("<w:gridCol w:w=\"(\\d+)\"/>"));
  for (auto m = gridCol.globalMatch(QString::fromUtf8(documentXml)); m.hasNext();) widths.push_back(m.next().captured(1).toInt());
  return widths;
}
int TableHalfPoints(const QByteArray& stylesXml) {
  static const QRegularExpression size(QStringLiteral("w:styleId=\"TableText\".*?<w:sz w:val=\"(\\d+)\"/>"));
  return size.match(QString::fromUtf8(stylesXml)).captured(1).toInt();
}
constexpr int kCellMargins = 2 * 57;
constexpr int kLandscapeTextWidth = 16838 - 2 * 567;

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
    const std::vector<int> widths = GridWidths(documentXml);
    QCOMPARE(widths.size(), size_t(3));
    QVERIFY(documentXml.contains("<w:tblPr><w:tblW w:w=\"" +
                                 QByteArray::number(std::accumulate(widths.begin(), widths.end(), 0)) +
                                 "\" w:type=\"dxa\"/><w:jc w:val=\"center\"/>"));
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

  // The documents' font measured from its own widths: digits half an em, the full stop and the
  // blank a quarter, "m" 0.778 (the face's published metrics), bold never narrower.
  void documentFontWidths() {
    QCOMPARE(DocumentTextWidthEm(u"0123456789", false), 5.0);
    QCOMPARE(DocumentTextWidthEm(u"30.09.2007", false), 4.5);
    QCOMPARE(DocumentTextWidthEm(u"m", false), 0.778);
    QVERIFY(DocumentTextWidthEm(u"Ш", false) > DocumentTextWidthEm(u"а", false) * 2);
    QVERIFY(DocumentTextWidthEm(u"Тежест(точки)", true) > DocumentTextWidthEm(u"Тежест(точки)", false));
    QCOMPARE(DocumentTextWidthEm(u"\u4E00", false), 1.0);  // a character the table lacks: one em
  }

  // The register list's 17 columns, landscape, at the default size: the table takes the largest
  // size at which every column holds its longest word, and the widths stay within the page.
  void docxKeepsEveryWordWhole() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("list.docx"));
    const ExportTable table = RegisterListTable(3);
    WriteDocxExport(path, table, ExportLayout());
    const QByteArray documentXml = ReadPackagePart(path, QStringLiteral("word/document.xml"));
    const QByteArray stylesXml = ReadPackagePart(path, QStringLiteral("word/styles.xml"));
    const std::vector<int> widths = GridWidths(documentXml);
    QCOMPARE(widths.size(), size_t(17));
    const int halfPoints = TableHalfPoints(stylesXml);
    QVERIFY2(halfPoints >= 14 && halfPoints < 24, qPrintable(QString::number(halfPoints)));
    QVERIFY(stylesXml.contains("<w:docDefaults><w:rPrDefault><w:rPr>"));
    QVERIFY(stylesXml.contains("<w:sz w:val=\"24\"/>"));  // the title keeps the default 12 pt
    QVERIFY(std::accumulate(widths.begin(), widths.end(), 0) <= kLandscapeTextWidth);
    QVERIFY(documentXml.contains("<w:pStyle w:val=\"TableText\"/>"));

    QStringList row;
    table.cells(0, row);
    for (size_t c = 0; c < widths.size(); ++c) {
      double widest = 0;  // the header is bold, the rows are not
      for (const QString& word : table.columns[c].caption.split(u' '))
        widest = std::max(widest, DocumentTextWidthEm(word, true));
      for (const QString& word : row[c].split(u' ')) widest = std::max(widest, DocumentTextWidthEm(word, false));
      // Points to twips: 20 per point, half points: 10.
      QVERIFY2(widths[c] >= widest * halfPoints * 10 + kCellMargins,
               qPrintable(table.columns[c].caption + u' ' + QString::number(widths[c])));
    }
    // A date needs 4.5 em, a personal number 5 em, whatever the table says of other letters.
    QVERIFY(widths[1] >= 4.5 * halfPoints * 10 + kCellMargins);
    QVERIFY(widths[3] >= 5.0 * halfPoints * 10 + kCellMargins);
  }

  // The size chosen is the most the table gets: a narrow table keeps it and every line whole,
  // one too wide for it is made smaller, and the clerk is told which size it got.
  void docxChosenFontSize() {
    ExportLayout layout;
    layout.fontSize = 16;
    const DocxTableFit narrow = FitDocxExport(SampleTable(), layout);
    QVERIFY(narrow.fits);
    QCOMPARE(narrow.halfPoints, 32);
    const DocxTableFit wide = FitDocxExport(RegisterListTable(1), layout);
    QVERIFY(wide.fits && wide.halfPoints < 32);
    QCOMPARE(DocxSmallerFontNote(16, 21),
             QStringLiteral("С шрифт 16 пункта избраните колони не се събират в ширината на страницата; таблицата "
                            "ще бъде записана с шрифт 10,5 пункта."));
    // A table narrower than the page gets every line on one line.
    const std::vector<DocxColumnNeed> needs = {{4, 2}, {20, 6}};
    const DocxTableFit fit = FitDocxColumns(needs, 10, 15000);
    QVERIFY(fit.fits);
    QVERIFY(fit.widths[1] >= 20 * 10 * 20 + kCellMargins);
    // Too wide for whole lines: each column keeps its longest word, the rest is shared.
    const DocxTableFit shared = FitDocxColumns({{2, 2}, {200, 6}, {150, 6}}, 10, 15000);
    QCOMPARE(shared.halfPoints, 20);
    QVERIFY(shared.widths[0] >= 2 * 10 * 20 + kCellMargins);
    QVERIFY(shared.widths[1] > shared.widths[2] && shared.widths[2] > shared.widths[0]);
    QVERIFY(shared.widths[0] + shared.widths[1] + shared.widths[2] <= 15000);
  }

  // Too many columns for the page even at 7 pt: refused, saying so, and nothing is written.
  void docxTooWideIsRefused_data() {
    QTest::addColumn<bool>("landscape");
    QTest::addColumn<QString>("advice");
    QTest::newRow("portrait") << false << QStringLiteral("Изберете по-малко колони или оформление „Пейзаж“.");
    QTest::newRow("landscape") << true << QStringLiteral("Изберете по-малко колони.");
  }
  void docxTooWideIsRefused() {
    QFETCH(bool, landscape);
    QFETCH(QString, advice);
    ExportTable table;
    for (int c = 0; c < (landscape ? 40 : 26); ++c) table.columns.push_back({QStringLiteral("ЕГН")});
    table.rowCount = 1;
    table.cells = [&table](int, QStringList& cells) {
      for (size_t c = 0; c < table.columns.size(); ++c) cells << QStringLiteral("8001010000");
    };
    ExportLayout layout;
    layout.landscape = landscape;
    QVERIFY(!FitDocxExport(table, layout).fits);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("wide.docx"));
    try {
      WriteDocxExport(path, table, layout);
      QFAIL("a table too wide was written");
    } catch (const ExportError& error) {
      QCOMPARE(error.Message(), DocxTooWideMessage(landscape));
      QVERIFY(error.Message().contains(QStringLiteral("7 пункта")));
      QVERIFY(error.Message().endsWith(advice));
    }
    QVERIFY(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
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

  // On paper: A4 as chosen, one page wide, the title and header rows over every page. On screen:
  // the panes frozen under the header, an autofilter from the header to the last data row.
  void xlsxPrintsAndFiltersWell_data() {
    QTest::addColumn<bool>("landscape");
    QTest::addColumn<int>("rows");
    QTest::newRow("landscape, 2000 rows") << true << 2000;
    QTest::newRow("portrait, no rows") << false << 0;
  }
  void xlsxPrintsAndFiltersWell() {
    QFETCH(bool, landscape);
    QFETCH(int, rows);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("list.xlsx"));
    ExportLayout layout;
    layout.title = {QStringLiteral("Списък"), QStringLiteral("Втори ред")};
    layout.footer = QStringLiteral("Край");
    layout.landscape = landscape;
    ExportTable table = RegisterListTable(rows);
    table.totals = QStringList(17, QStringLiteral("Общо"));
    WriteXlsxExport(path, table, layout);

    const QByteArray sheet = ReadPackagePart(path, QStringLiteral("xl/worksheets/sheet1.xml"));
    const QByteArray workbook = ReadPackagePart(path, QStringLiteral("xl/workbook.xml"));
    QVERIFY(sheet.contains("<sheetPr><pageSetUpPr fitToPage=\"1\"/></sheetPr>"));
    QVERIFY(sheet.contains("paperSize=\"9\""));
    QVERIFY(sheet.contains("fitToHeight=\"0\""));
    QVERIFY(!sheet.contains("fitToWidth=") || sheet.contains("fitToWidth=\"1\""));  // 1 is the default
    QVERIFY(sheet.contains(landscape ? "orientation=\"landscape\"" : "orientation=\"portrait\""));
    // The header is row 4: the panes are frozen from row 5, the filter covers rows 4 to the last
    // data row (not the totals), and rows 1 to 4 repeat on every printed page.
    QVERIFY(sheet.contains("<pane ySplit=\"4\" topLeftCell=\"A5\" activePane=\"bottomLeft\" state=\"frozen\"/>"));
    QVERIFY2(sheet.contains("<autoFilter ref=\"A4:Q" + QByteArray::number(4 + rows) + "\"/>"), sheet.right(600));
    QVERIFY(workbook.contains("<definedName name=\"_xlnm._FilterDatabase\" localSheetId=\"0\" hidden=\"1\">"
                              "Sheet1!$A$4:$Q$" + QByteArray::number(4 + rows) + "</definedName>"));
    QVERIFY2(workbook.contains("<definedName name=\"_xlnm.Print_Titles\" localSheetId=\"0\">Sheet1!$1:$4</definedName>"),
             workbook);
    const SheetCells cells = ReadSheetCells(sheet);
    QCOMPARE(cells.text.value(QStringLiteral("Q4")), QStringLiteral("Последно класиране"));
    QCOMPARE(cells.text.value(QStringLiteral("A%1").arg(5 + rows)), QStringLiteral("Общо"));
    if (rows > 0) QCOMPARE(cells.type.value(QStringLiteral("D%1").arg(4 + rows)), QStringLiteral("inlineStr"));
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
