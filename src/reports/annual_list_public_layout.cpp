// The public annual list as report data; positions as in the annual list.
#include "reports/annual_list_public_layout.h"

#include "reports/annual_list_layout.h"
#include "reports/public_list_rows.h"

using namespace report;

namespace {
constexpr double kPlaceWidth = 16;  // the caption "Място" is wider than five digits
constexpr double kRegNumLeft = 24;
constexpr double kInitialsLeft = 52;
constexpr double kGroupLeft = 110;

Item Limited(Item item, double width, Align align = Align::Left) {
  item.width = width;
  item.align = align;
  return item;
}
}  // namespace

QString PublicAnnualListNote() {
  return QStringLiteral(
      "Публичен вариант: семействата/домакинствата са посочени с регистрационния номер на картона и "
      "инициалите на титуляра");
}

QString PublicAnnualListTitle(int year, const QString& municipality) {
  return AnnualListTitle(year, municipality) + u'\n' + PublicAnnualListNote();
}

Report PublicAnnualListLayout(const QString& title) {
  Report r = AnnualListPage(QStringLiteral("Годишен списък - публичен"));

  Band columns(BandKind::ColumnHeader, 6.4,
               {Limited(Label(0, 0.3, QStringLiteral("Място"), 9, true), kPlaceWidth, Align::Right),
                Label(kRegNumLeft, 0.3, QStringLiteral("Рег. №"), 9, true),
                Label(kInitialsLeft, 0.3, QStringLiteral("Инициали на титуляра"), 9, true),
                Label(kGroupLeft, 0.3, QStringLiteral("Група"), 9, true), HorizontalLine(0, 5.9, 0)});

  Band detail(BandKind::Detail, 4.2,
              {Limited(Field(0, 0, QStringLiteral("CARD_ID"), 9, true), kPlaceWidth, Align::Right),
               Limited(Field(kRegNumLeft, 0, QStringLiteral("REG_NUM")), kInitialsLeft - kRegNumLeft - 1),
               Limited(Field(kInitialsLeft, 0, PublicListRows::kInitials), kGroupLeft - kInitialsLeft - 1),
               Field(kGroupLeft, 0, QStringLiteral("grupa11"))});

  Band summary(BandKind::Summary, 20, {HorizontalLine(0, 0, 0), AnnualListCount()});

  r.bands = {AnnualListPageHeader(), AnnualListTitleBand(title), columns, AnnualListYearBand(), detail, summary};
  return r;
}
