// The annual list as report data. Positions are millimetres from the printable area's left
// edge and from the top of their band.
#include "reports/annual_list_layout.h"

#include <QFontInfo>

#include "engine/report/text_measure.h"

using namespace report;

namespace {
constexpr double kWidth = 190;  // A4 less 10 mm on each side

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
             "Eдинен годишен списък за %1 г. на гражданите и техните семейства/домакинства, картотекирани за "
             "настаняване под наем в общински жилища - %2")
      .arg(year)
      .arg(municipality);
}

Report AnnualListLayout(const QString& title) {
  Report r;
  r.documentName = QStringLiteral("Годишен списък - компактен");
  r.pageSize = QPageSize(QPageSize::A4);
  r.orientation = QPageLayout::Portrait;
  r.margins = QMarginsF(10, 10, 10, 10);
  r.fontFamilies = PrintedDocumentFonts();
  r.fontStretch = PrintedDocumentStretch();
  r.pointSize = 9;

  Band pageHeader(BandKind::PageHeader, 6.4, {Label(170.1, 0, QStringLiteral("стр.")), PageNumber(175.7, 0)});

  Item titleText = Label((kWidth - 176.5) / 2, 4.2, title, 12, true);
  titleText.width = 176.5;
  titleText.align = Align::Centre;
  Band titleBand(BandKind::Title, 28.3, {titleText});

  Band columns(BandKind::ColumnHeader, 6.4,
               {Label(7.1, 0.3, QStringLiteral("Заявление №"), 9, true),
                Label(55.3, 0.3, QStringLiteral("Име на титуляра"), 9, true),
                Label(135.2, 0.3, QStringLiteral("Група"), 9, true),
                Label(158.5, 0.3, QStringLiteral("Особености"), 9, true), HorizontalLine(0, 5.9, kWidth)});

  Item listFor = Label(0, 1.9, QStringLiteral("Списък за "), 9, true);
  listFor.width = kWidth;
  listFor.align = Align::Centre;
  Band year(BandKind::GroupHeader, 9.8,
            {listFor, Field(104.5, 1.9, QStringLiteral("POINTS_YEAR"), 9, true),
             Label(113.5, 1.9, QStringLiteral("година"), 9, true), HorizontalLine(78.8, 6.2, 53.2)},
            QStringLiteral("POINTS_YEAR"));

  // Each item as wide as its text; a long one wraps before the next column.
  Item groupDate = Field(137.3, 0, QStringLiteral("GRUPA_DATE"));
  groupDate.prefix = QStringLiteral("от ");
  groupDate.maxChars = 13;
  Band detail(BandKind::Detail, 4.2,
              {Field(0, 0, QStringLiteral("CARD_ID"), 9, true),
               Limited(Field(6.9, 0, QStringLiteral("DOC_IDTXT")), 52.4 - 6.9 - 1),
               Limited(Field(52.4, 0, QStringLiteral("NAME")), 134.9 - 52.4 - 1),
               Field(134.9, 0, QStringLiteral("grupa11")), Limited(groupDate, 160.6 - 137.3),
               Limited(Field(160.6, 0, QStringLiteral("POINTS_DESCR")), kWidth - 160.6)});

  Band summary(BandKind::Summary, 38.1,
               {HorizontalLine(0, 0, kWidth), Label(0, 11.4, QStringLiteral("Списъкът съдржа общо ")),
                RecordCount(36.5, 11.4), Label(43.1, 11.4, QStringLiteral("семейства/домакинства")),
                Label(101.1, 19.3, QStringLiteral("Одобрил: ") + QString(58, u'.'), 10),
                Label(116.2, 29.6, QStringLiteral("/") + QString(56, u' ') + QStringLiteral("/") + QString(4, u' '), 10)});

  r.bands = {pageHeader, titleBand, columns, year, detail, summary};
  return r;
}
