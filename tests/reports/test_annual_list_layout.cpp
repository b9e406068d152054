// The annual list and its public version laid out over rows held in memory: no two texts of a
// line overlap for places of one to five digits and for long names and particulars, neither on
// the laid-out page nor in the PDF as a reader extracts it; the title grows with a long
// municipality's name without leaving a gap under it; the count reads as one sentence; and
// every fixed text is written in Cyrillic letters only.
#include <QTemporaryDir>
#include <QtTest>

#include "engine/report/report_layout.h"
#include "engine/report/report_painter.h"
#include "reports/annual_list_layout.h"
#include "reports/annual_list_public_layout.h"
#include "reports/public_list_rows.h"
#include "pdf_words.h"

using namespace report;

namespace {
const QStringList kFields{"CARD_ID", "DOC_IDTXT", "NAME", "grupa11", "GRUPA_DATE", "POINTS_DESCR", "POINTS_YEAR"};
const QString kLongName = QStringLiteral(
    "Александрина Константинова Попхристодорова-Петкова Кръстева-Добрева Златанова Възкресенска");
const QString kLongParticulars = QStringLiteral(
    "Подгрупа 3 - семейство с дете с трайно намалена работоспособност над 90 %, живеещо в недостатъчно жилище");
// The longest name of a municipality the register keeps (nom_table::kMunicipalityLength).
const QString kLongMunicipality = QStringLiteral("Община Голямо Белово-Сливополе-Драгомирово-Стрелч");

TableRows RowsWithPlaces(const QStringList& places) {
  TableRows rows(kFields);
  for (const QString& place : places)
    rows.Append({place, QStringLiteral("ЖН-%1/2026-ДОП-ЗАЯВЛЕНИЕ-ПО-ЧЛ-17").arg(place), kLongName, "3",
                 "15.06.2009 14:30", kLongParticulars, "2026"});
  return rows;
}

double LineHeight(const PlacedText& text) { return text.pointSize * 25.4 / 72; }

// The first pair of texts of a page whose boxes overlap, as "a | b"; empty when none do.
QString FirstOverlap(const Page& page) {
  for (size_t i = 0; i < page.texts.size(); ++i)
    for (size_t j = i + 1; j < page.texts.size(); ++j) {
      const PlacedText& a = page.texts[i];
      const PlacedText& b = page.texts[j];
      const bool sameLine = a.top < b.top + LineHeight(b) - 0.01 && b.top < a.top + LineHeight(a) - 0.01;
      const double aLeft = a.origin.x(), bLeft = b.origin.x();
      const bool sideBySide = aLeft + a.width <= bLeft + 0.01 || bLeft + b.width <= aLeft + 0.01;
      if (sameLine && !sideBySide) return a.text + QStringLiteral(" | ") + b.text;
    }
  return {};
}

QString Latin(const QString& text) {
  QString found;
  for (const QChar ch : text)
    if ((ch >= u'A' && ch <= u'Z') || (ch >= u'a' && ch <= u'z')) found += ch;
  return found;
}
}  // namespace

class TestAnnualListLayout : public QObject {
  Q_OBJECT
 private slots:
  void noTwoTextsOfALineOverlap_data() {
    QTest::addColumn<bool>("published");
    QTest::addColumn<QStringList>("places");
    for (const bool published : {false, true}) {
      const char* version = published ? "public" : "annual";
      QTest::addRow("%s: 1 to 3", version) << published << QStringList{"1", "2", "3"};
      QTest::addRow("%s: 999, 1 000", version) << published << QStringList{"998", "999", "1000", "1001"};
      QTest::addRow("%s: 99 999", version) << published << QStringList{"99998", "99999"};
    }
  }
  void noTwoTextsOfALineOverlap() {
    QFETCH(bool, published);
    QFETCH(QStringList, places);
    const TableRows ranked = RowsWithPlaces(places);
    const PublicListRows publicRows(ranked);
    const QString municipality = kLongMunicipality;
    const LaidOutReport laid =
        published ? LayOut(PublicAnnualListLayout(PublicAnnualListTitle(2026, municipality)), publicRows)
                  : LayOut(AnnualListLayout(AnnualListTitle(2026, municipality)), ranked);
    QCOMPARE(laid.pages.size(), size_t(1));
    const Page& page = laid.pages[0];
    QVERIFY2(FirstOverlap(page).isEmpty(), qPrintable(FirstOverlap(page)));
    // The place is printed whole, on one line, right-aligned with the others.
    for (const QString& place : places) {
      int found = 0;
      for (const PlacedText& t : page.texts) found += t.text == place && t.bold;
      QCOMPARE(found, 1);
    }

    // The same as a reader of the PDF finds it.
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("list.pdf"));
    WritePdf(laid, pdf);
    const std::vector<PdfPage> pdfPages = PdfPages(pdf);
    QVERIFY(!pdfPages.empty());
    const PdfPage& first = pdfPages.front();
    QVERIFY(first.words.size() > 20);
    QVERIFY2(FirstOverlap(first).isEmpty(), qPrintable(FirstOverlap(first)));
    QString all;
    for (const PdfWord& w : first.words) all += w.text + u' ';
    QVERIFY(all.contains(QStringLiteral("съдържа общо %1 семейства/домакинства").arg(places.size())));
    QVERIFY(all.contains(QStringLiteral("Единен годишен списък за 2026 г.")));
  }

  // The title takes the room of its band first; a title longer than the band pushes the column
  // header down by just what it needs, with the band's top padding under it.
  void titleGrowsWithoutAGap_data() {
    QTest::addColumn<QString>("municipality");
    QTest::addColumn<bool>("published");
    QTest::newRow("short name") << QStringLiteral("Община Смолян") << false;
    QTest::newRow("longest name") << kLongMunicipality << false;
    QTest::newRow("public, longest name") << kLongMunicipality << true;
  }
  void titleGrowsWithoutAGap() {
    QFETCH(QString, municipality);
    QFETCH(bool, published);
    const TableRows ranked = RowsWithPlaces({"1"});
    const PublicListRows publicRows(ranked);
    const QString title =
        published ? PublicAnnualListTitle(2026, municipality) : AnnualListTitle(2026, municipality);
    const LaidOutReport laid = published ? LayOut(PublicAnnualListLayout(title), publicRows)
                                         : LayOut(AnnualListLayout(title), ranked);
    const Page& page = laid.pages[0];
    double titleBottom = 0;
    QStringList titleLines;
    double columnsTop = -1;
    for (const PlacedText& t : page.texts) {
      if (t.pointSize == 12) {
        titleBottom = std::max(titleBottom, t.top + LineHeight(t));
        titleLines << t.text;
      }
      if (t.text == (published ? QStringLiteral("Рег. №") : QStringLiteral("Заявление №"))) columnsTop = t.top;
    }
    QCOMPARE(titleLines.join(u' '), QString(title).replace(u'\n', u' '));
    const double bandTop = 10 + 6.4;
    const double columnsBandTop = columnsTop - 0.3;
    QVERIFY2(columnsBandTop >= titleBottom, "the title runs into the column header");
    // The band keeps its drawn height, or grows to the title's last line and 4.2 mm more.
    const double expected = std::max(bandTop + 28.3, titleBottom + 4.2);
    QVERIFY2(columnsBandTop <= expected + 1.0,
             qPrintable(QStringLiteral("column header at %1 mm, title ends at %2 mm").arg(columnsBandTop).arg(titleBottom)));
  }

  void fixedTextsAreCyrillic_data() {
    QTest::addColumn<bool>("published");
    QTest::newRow("annual list") << false;
    QTest::newRow("public list") << true;
  }
  void fixedTextsAreCyrillic() {
    QFETCH(bool, published);
    const QString municipality = QStringLiteral("Община Тестова");
    const Report layout = published ? PublicAnnualListLayout(PublicAnnualListTitle(2026, municipality))
                                    : AnnualListLayout(AnnualListTitle(2026, municipality));
    int texts = 0;
    for (const Band& band : layout.bands)
      for (const Item& item : band.items) {
        if (item.kind == ItemKind::Field || item.kind == ItemKind::Line) continue;
        ++texts;
        QVERIFY2(Latin(item.text).isEmpty(), qPrintable(item.text + QStringLiteral(" holds Latin ") + Latin(item.text)));
      }
    QVERIFY(texts >= 8);
    QVERIFY(AnnualListTitle(2026, municipality).startsWith(QStringLiteral("Единен")));
  }
};

QTEST_MAIN(TestAnnualListLayout)
#include "test_annual_list_layout.moc"
