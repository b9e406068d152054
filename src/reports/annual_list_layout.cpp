// The annual list as report data. Positions are millimetres from the printable area's left
// edge and from the top of their band.
#include "reports/annual_list_layout.h"

#include <QFontInfo>

#include "engine/report/text_measure.h"

using namespace report;

namespace {
constexpr double kWidth = 190;  // A4 less 10 mm on each side
constexpr double kPlaceWidth = 11;  // "99999" in bold is about 9.5 mm wide without Arial
constexpr double kApplicationLeft = kPlaceWidth + 1;

Item Limited(Item item, double width) {
  item.width = width;
  return item;
}
}  // namespace

QStringList PrintedDocumentFonts() {
  return {QStringLiteral("Arial"), QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans")};
}

int PrintedDocumentStretch() {
  const QFontInfo resolved(report::ReportFont(PrintedDocumentFonts(), 9, false));
  return resolved.family().compare(QStringLiteral("Arial"), Qt::CaseInsensitive) == 0 ? 100 : 96;
}

QString AnnualListTitle(int year, const QString& municipality) {
  return QStringLiteral(
             "Единен годишен списък за %1 г. на гражданите и техните семейства/домакинства, картотекирани за "
             "настаняване под наем в общински жилища - %2")
      .arg(year)
      .arg(municipality);
}

Report AnnualListPage(const QString& documentName) {
  Report r;
  r.documentName = documentName;
  r.pageSize = QPageSize(QPageSize::A4);
  r.orientation = QPageLayout::Portrait;
  r.margins = QMarginsF(10, 10, 10, 10);
  r.fontFamilies = PrintedDocumentFonts();
  r.fontStretch = PrintedDocumentStretch();
  r.pointSize = 9;
  return r;
}

Band AnnualListPageHeader() {
  // One text, so that the number follows "стр." in any font.
  Item number = PageNumber(170.1, 0);
  number.text = QStringLiteral("стр. %1");
  return Band(BandKind::PageHeader, 6.4, {number});
}

Band AnnualListTitleBand(const QString& title) {
  Item titleText = Label((kWidth - 176.5) / 2, 4.2, title, 12, true);
  titleText.width = 176.5;
  titleText.align = Align::Centre;
  Band titleBand(BandKind::Title, 28.3, {titleText});
  titleBand.growth = Growth::ToFit;  // a long municipality's name takes the room under the title first
  return titleBand;
}

Band AnnualListYearBand() {
  Item listFor = Label(0, 1.9, QStringLiteral("Списък за "), 9, true);
  listFor.width = kWidth;
  listFor.align = Align::Centre;
  return Band(BandKind::GroupHeader, 9.8,
              {listFor, Field(104.5, 1.9, QStringLiteral("POINTS_YEAR"), 9, true),
               Label(113.5, 1.9, QStringLiteral("година"), 9, true), HorizontalLine(78.8, 6.2, 53.2)},
              QStringLiteral("POINTS_YEAR"));
}

QString AnnualListCountPattern() { return QStringLiteral("Списъкът съдържа общо %1 семейства/домакинства"); }

Item AnnualListCount() { return RecordCountText(0, 11.4, AnnualListCountPattern()); }

Report AnnualListLayout(const QString& title) {
  Report r = AnnualListPage(QStringLiteral("Годишен списък - компактен"));

  Band columns(BandKind::ColumnHeader, 6.4,
               {Label(kApplicationLeft + 0.2, 0.3, QStringLiteral("Заявление №"), 9, true),
                Label(55.3, 0.3, QStringLiteral("Име на титуляра"), 9, true),
                Label(135.2, 0.3, QStringLiteral("Група"), 9, true),
                Label(158.5, 0.3, QStringLiteral("Особености"), 9, true), HorizontalLine(0, 5.9, kWidth)});

  // Each item as wide as its text; a long one wraps before the next column. The place is
  // right-aligned in a column wide enough for five bold digits, so places up to 99 999 line up
  // and never reach the application's number.
  Item place = Limited(Field(0, 0, QStringLiteral("CARD_ID"), 9, true), kPlaceWidth);
  place.align = Align::Right;
  Item groupDate = Field(137.3, 0, QStringLiteral("GRUPA_DATE"));
  groupDate.prefix = QStringLiteral("от ");
  groupDate.maxChars = 13;
  Band detail(BandKind::Detail, 4.2,
              {place, Limited(Field(kApplicationLeft, 0, QStringLiteral("DOC_IDTXT")), 52.4 - kApplicationLeft - 1),
               Limited(Field(52.4, 0, QStringLiteral("NAME")), 134.9 - 52.4 - 1),
               Limited(Field(134.9, 0, QStringLiteral("grupa11")), 137.3 - 134.9), Limited(groupDate, 160.6 - 137.3),
               Limited(Field(160.6, 0, QStringLiteral("POINTS_DESCR")), kWidth - 160.6)});

  Band summary(BandKind::Summary, 38.1,
               {HorizontalLine(0, 0, kWidth),
                AnnualListCount(),
                Label(101.1, 19.3, QStringLiteral("Одобрил: ") + QString(58, u'.'), 10),
                Label(116.2, 29.6, QStringLiteral("/") + QString(56, u' ') + QStringLiteral("/") + QString(4, u' '), 10)});

  r.bands = {AnnualListPageHeader(), AnnualListTitleBand(title), columns, AnnualListYearBand(), detail, summary};
  return r;
}
