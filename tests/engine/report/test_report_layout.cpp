// The report engine's layout and output: group headers on a changing value, the record
// count, an empty row source, wrapping text that pushes the next band down, headers on later
// pages, the PDF's text (read back with pdftotext) and the escaping of the HTML document.
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "core/output_file.h"
#include "engine/report/report_html.h"
#include "engine/report/report_layout.h"
#include "engine/report/report_painter.h"
#include "engine/report/text_measure.h"

using namespace report;

namespace {
// A small list report: page header with the page number, title, column header, a group
// header on YEAR, a detail of NAME (wrapping within 40 mm) and CODE, and a summary count.
Report ListReport() {
  Report r;
  r.documentName = QStringLiteral("Списък");
  Band pageHeader{BandKind::PageHeader, 6, {Label(150, 0, QStringLiteral("стр.")), PageNumber(160, 0)}};
  Item title = Label(0, 2, QStringLiteral("Годишен списък"), 12, true);
  title.width = r.PrintableWidth();
  title.align = Align::Centre;
  Band titleBand{BandKind::Title, 15, {title}};
  Band columns{BandKind::ColumnHeader, 6, {Label(0, 0, QStringLiteral("Име"), 0, true), HorizontalLine(0, 5.5)}};
  Band group{BandKind::GroupHeader, 8, {Label(60, 1, QStringLiteral("Година")), Field(80, 1, QStringLiteral("YEAR"))}};
  group.groupField = QStringLiteral("YEAR");
  Item name = Field(0, 0, QStringLiteral("NAME"));
  name.width = 40;
  Band detail{BandKind::Detail, 5, {name, Field(100, 0, QStringLiteral("CODE"))}};
  Band summary{BandKind::Summary, 20, {HorizontalLine(0, 0), Label(0, 5, QStringLiteral("Общо")), RecordCount(20, 5)}};
  r.bands = {pageHeader, titleBand, columns, group, detail, summary};
  return r;
}

TableRows Rows(const QList<QStringList>& rows) {
  TableRows table({QStringLiteral("NAME"), QStringLiteral("YEAR"), QStringLiteral("CODE")});
  for (const QStringList& row : rows) table.Append(row);
  return table;
}

QStringList Texts(const Page& page) {
  QStringList texts;
  for (const PlacedText& t : page.texts) texts << t.text;
  return texts;
}

const PlacedText* Find(const Page& page, const QString& text) {
  for (const PlacedText& t : page.texts)
    if (t.text == text) return &t;
  return nullptr;
}
}  // namespace

class TestReportLayout : public QObject {
  Q_OBJECT
 private slots:
  void groupHeaderOnEachChangeAndSummaryCount() {
    const LaidOutReport laid = LayOut(ListReport(), Rows({{"Анна", "2024", "1"}, {"Борис", "2024", "2"},
                                                          {"Вера", "2025", "3"}}));
    QCOMPARE(laid.pages.size(), size_t(1));
    const QStringList texts = Texts(laid.pages[0]);
    QCOMPARE(texts.count(QStringLiteral("Година")), 2);
    QCOMPARE(laid.recordCount, 3);
    // Order down the page: 2024's header, two rows, 2025's header, the third row, the count.
    auto top = [&](const QString& text) { return Find(laid.pages[0], text)->top; };
    QVERIFY(top("2024") < top("Анна"));
    QVERIFY(top("Борис") < top("2025"));
    QVERIFY(top("2025") < top("Вера"));
    QVERIFY(top("Вера") < top("Общо"));
    // The count sits on the summary's line.
    bool countShown = false;
    for (const PlacedText& t : laid.pages[0].texts)
      countShown = countShown || (t.text == QStringLiteral("3") && t.top == top("Общо"));
    QVERIFY(countShown);
  }

  // A page number or count given a pattern is one text with the number in its place.
  void numbersFlowInsideTheirSentence() {
    Report r = ListReport();
    r.FindBand(BandKind::PageHeader)->items = {PageNumber(150, 0)};
    r.FindBand(BandKind::PageHeader)->items[0].text = QStringLiteral("стр. %1 от списъка");
    r.FindBand(BandKind::Summary)->items = {RecordCountText(0, 5, QStringLiteral("Общо %1 реда, %1 души"))};
    const LaidOutReport laid = LayOut(r, Rows({{"Анна", "2024", "1"}, {"Борис", "2024", "2"}}));
    const QStringList texts = Texts(laid.pages[0]);
    QVERIFY(texts.contains(QStringLiteral("стр. 1 от списъка")));
    QVERIFY(texts.contains(QStringLiteral("Общо 2 реда, 2 души")));
  }

  // A band that grows to fit keeps its height while its text wraps inside it, and past it grows
  // to the text's end and the band's top padding; the default growth adds every extra line.
  void bandGrowthToFitAndByExtraLines_data() {
    QTest::addColumn<int>("growth");
    QTest::addColumn<int>("words");
    QTest::newRow("to fit, wraps inside") << int(Growth::ToFit) << 12;
    QTest::newRow("to fit, passes the band") << int(Growth::ToFit) << 120;
    QTest::newRow("extra lines") << int(Growth::ExtraLines) << 12;
  }
  void bandGrowthToFitAndByExtraLines() {
    QFETCH(int, growth);
    QFETCH(int, words);
    Report r = ListReport();
    Band* title = r.FindBand(BandKind::Title);
    title->growth = static_cast<Growth>(growth);
    title->items[0].width = 60;
    title->items[0].text = QStringList(words, QStringLiteral("думата")).join(u' ');
    const LaidOutReport laid = LayOut(r, Rows({}));
    const Page& page = laid.pages[0];
    const TextMeasure measure(r.fontFamilies, 12, true);
    double lastTop = 0;
    int lines = 0;
    for (const PlacedText& t : page.texts)
      if (t.pointSize == 12) {
        lastTop = std::max(lastTop, t.top);
        ++lines;
      }
    QVERIFY(lines >= 2);
    const double bandTop = r.margins.top() + 6;  // under the page header
    const double titleEnd = lastTop + measure.LineSpacing();
    double expected = bandTop + 15 + (lines - 1) * measure.LineSpacing();
    if (static_cast<Growth>(growth) == Growth::ToFit) expected = std::max(bandTop + 15, titleEnd + 2);
    QVERIFY(qAbs(Find(page, QStringLiteral("Име"))->top - expected) < 1e-6);
  }

  void emptyRowsStillPrintTitleHeadersAndSummary() {
    const LaidOutReport laid = LayOut(ListReport(), Rows({}));
    QCOMPARE(laid.pages.size(), size_t(1));
    const QStringList texts = Texts(laid.pages[0]);
    for (const char* expected : {"стр.", "1", "Годишен списък", "Име", "Общо", "0"})
      QVERIFY2(texts.contains(QString::fromUtf8(expected)), expected);
    QVERIFY(!texts.contains(QStringLiteral("Година")));
    QCOMPARE(laid.recordCount, 0);
  }

  void longTextWrapsAndPushesTheNextLineDown() {
    const QString longName = QStringLiteral("Анастасия Константинова Кръстева Попгеоргиева Стоянова");
    const LaidOutReport shortRows = LayOut(ListReport(), Rows({{"Анна", "2024", "1"}, {"Борис", "2024", "2"}}));
    const LaidOutReport longRows = LayOut(ListReport(), Rows({{longName, "2024", "к1"}, {"Борис", "2024", "2"}}));
    const Page& page = longRows.pages[0];

    // The name breaks at blanks into lines no wider than 40 mm, the words kept whole.
    QStringList nameLines;
    for (const PlacedText& t : page.texts)
      if (longName.contains(t.text)) {
        nameLines << t.text;
        QVERIFY(t.width <= 40.0);
      }
    QVERIFY(nameLines.size() >= 2);
    QCOMPARE(nameLines.join(u' '), longName);

    // The next row moves down by the extra lines; the row's other field stays on its first line.
    const double lineSpacing = Find(page, nameLines[1])->top - Find(page, nameLines[0])->top;
    const double pushed = Find(page, "Борис")->top - Find(shortRows.pages[0], "Борис")->top;
    QVERIFY(qAbs(pushed - (nameLines.size() - 1) * lineSpacing) < 1e-6);
    QCOMPARE(Find(page, "к1")->top, Find(page, nameLines[0])->top);

    // A word too long for a line breaks after its hyphen, else where the room ends.
    const TextMeasure measure({QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")}, 9, false);
    const QString hyphenated = QStringLiteral("Кръстева-Попгеоргиева");
    QCOMPARE(measure.Break(hyphenated, measure.Width(QStringLiteral("Кръстева-Попгеоргиев"))),
             QStringList({QStringLiteral("Кръстева-"), QStringLiteral("Попгеоргиева")}));
    const QStringList pieces = measure.Break(QStringLiteral("Попгеоргиева"), measure.Width(QStringLiteral("Попг")));
    QVERIFY(pieces.size() >= 3);
    QCOMPARE(pieces.join(QString()), QStringLiteral("Попгеоргиева"));
  }

  void laterPagesRepeatPageAndColumnHeadersButNotTheGroupHeader() {
    QList<QStringList> rows;
    for (int i = 1; i <= 80; ++i) rows << QStringList{QStringLiteral("Ред %1").arg(i), "2024", QString::number(i)};
    const LaidOutReport laid = LayOut(ListReport(), Rows(rows));
    QVERIFY(laid.pages.size() >= 2);
    const QStringList second = Texts(laid.pages[1]);
    QVERIFY(second.contains(QStringLiteral("стр.")));
    QVERIFY(second.contains(QStringLiteral("2")));  // its page number
    QVERIFY(second.contains(QStringLiteral("Име")));
    QVERIFY(!second.contains(QStringLiteral("Годишен списък")));
    QVERIFY(!second.contains(QStringLiteral("Година")));
    // Every row printed once, none lost at the page break, nothing below the bottom margin.
    int printed = 0;
    for (const Page& page : laid.pages) {
      for (const PlacedText& t : page.texts) {
        if (t.text.startsWith(QStringLiteral("Ред "))) ++printed;
        QVERIFY(t.top + 4 <= 297 - 10 + 1e-6);
      }
    }
    QCOMPARE(printed, 80);
    // The column header comes right under the page header on page 2.
    QVERIFY(Find(laid.pages[1], "Име")->top < Find(laid.pages[1], "Ред " + QString::number(80))->top ||
            laid.pages.size() > 2);
  }

  void pageFooterIsAtTheBottomOfEveryPage() {
    Report r = ListReport();
    r.bands.push_back({BandKind::PageFooter, 10, {Label(0, 2, QStringLiteral("подпис")), PageNumber(100, 2)}});
    QList<QStringList> rows;
    for (int i = 1; i <= 80; ++i) rows << QStringList{QStringLiteral("Ред %1").arg(i), "2024", "x"};
    const LaidOutReport laid = LayOut(r, Rows(rows));
    for (const Page& page : laid.pages) {
      const PlacedText* footer = Find(page, "подпис");
      QVERIFY(footer != nullptr);
      QVERIFY(qAbs(footer->top - (297 - 10 - 10 + 2)) < 1e-6);
      for (const PlacedText& t : page.texts)
        if (t.text.startsWith(QStringLiteral("Ред "))) QVERIFY(t.top < footer->top - 2);
    }
  }

  void pdfCarriesTheTextOfEveryPage() {
    QList<QStringList> rows;
    for (int i = 1; i <= 80; ++i) rows << QStringList{QStringLiteral("Иванов %1").arg(i), i < 40 ? "2024" : "2025", "x"};
    const LaidOutReport laid = LayOut(ListReport(), Rows(rows));
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("list.pdf"));
    WritePdf(laid, pdf);
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    QVERIFY(pdftotext.waitForFinished(30000));
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
    const QStringList pages = text.split(u'\f', Qt::SkipEmptyParts);
    QCOMPARE(pages.size(), static_cast<qsizetype>(laid.pages.size()));
    QVERIFY(pages[0].contains(QStringLiteral("Годишен списък")));
    QVERIFY(pages[0].contains(QStringLiteral("Иванов 1")));
    QVERIFY(pages.last().contains(QStringLiteral("Иванов 80")));
    QVERIFY(pages.last().contains(QStringLiteral("Общо")));
    QCOMPARE(text.count(QStringLiteral("Година")), 2);

    QVERIFY_THROWS_EXCEPTION(FileWriteError, WritePdf(laid, dir.filePath(QStringLiteral("missing/folder/list.pdf"))));
    QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("missing"))));
  }

  void htmlPlacesEveryLineWithTheTextsEscaped() {
    const LaidOutReport laid = LayOut(ListReport(), Rows({{"<b>Иван & Мария</b>", "2024", "\"1\""}}));
    const QString html = HtmlDocument(laid);
    QVERIFY(html.startsWith(QStringLiteral("<!DOCTYPE html>")));
    QVERIFY(html.contains(QStringLiteral("&lt;b&gt;Иван &amp; Мария&lt;/b&gt;")));
    QVERIFY(!html.contains(QStringLiteral("<b>Иван")));
    QVERIFY(html.contains(QStringLiteral("&quot;1&quot;")));
    QCOMPARE(html.count(QStringLiteral("class=\"page\"")), 1);
    QTemporaryDir dir;
    WriteHtml(laid, dir.filePath(QStringLiteral("list.html")));
    QFile file(dir.filePath(QStringLiteral("list.html")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(file.readAll()), html);
  }
};

QTEST_MAIN(TestReportLayout)
#include "test_report_layout.moc"
