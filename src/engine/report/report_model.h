// A banded report described as data: the page, the default font and the bands with their
// items, all placed in millimetres. The layout pass (report_layout.h) turns it into pages.
#pragma once

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <vector>

namespace report {

enum class BandKind {
  PageHeader,    // at the top of every page, the first included
  Title,         // once, at the start
  ColumnHeader,  // under the title, and at the top of every later page
  GroupHeader,   // before the first row and before each row whose group field changes
  Detail,        // once per row
  Summary,       // once, after the last row
  PageFooter,    // at the bottom of every page
};

enum class ItemKind {
  Label,        // fixed text (may hold several lines separated by '\n')
  Field,        // the row's value of a field
  Line,         // a horizontal line
  PageNumber,   // the number of the page it is printed on
  RecordCount,  // the number of detail bands printed so far
};

// How a band grows when its wrapped texts need more room than its height.
enum class Growth {
  // By every line beyond an item's first, so the room below the first line is kept (a detail
  // line keeps its spacing to the next one).
  ExtraLines,
  // Only as far as its lowest text passes the band's height, with the band's top padding (its
  // highest item's top) below it: a band drawn roomy for a text of a few lines (a title) does
  // not add an empty gap under a text that wraps within it.
  ToFit,
};

enum class Align { Left, Centre, Right };

struct Item {
  ItemKind kind = ItemKind::Label;
  double left = 0;  // mm from the band's left edge (the printable area's)
  double top = 0;   // mm from the band's top
  // Text items: the widest the text may become before it wraps; 0 lets it reach the
  // printable area's right edge. A centred or right-aligned text is aligned inside it.
  // Lines: the length; 0 draws it across the whole band.
  double width = 0;
  // Label: the text; Field: the field's name; PageNumber and RecordCount: the text around the
  // number, "%1" standing for it (empty: the number alone), so the number flows with its words.
  QString text;
  QString prefix;  // Field: put before the value
  int maxChars = 0;  // Field: only this many characters of prefix and value (0 keeps all)
  double pointSize = 0;  // 0 takes the report's size
  bool bold = false;
  Align align = Align::Left;
  double thickness = 0.2;  // Line: mm
};

struct Band {
  Band(BandKind kind = BandKind::Detail, double height = 0, std::vector<Item> items = {}, QString groupField = {})
      : kind(kind), height(height), items(std::move(items)), groupField(std::move(groupField)) {}

  BandKind kind = BandKind::Detail;
  double height = 0;  // mm; a band grows when wrapped text needs more room
  std::vector<Item> items;
  QString groupField;  // GroupHeader: the field whose change starts a new group
  Growth growth = Growth::ExtraLines;
};

struct Report {
  QString documentName;  // the print job's and the HTML document's name
  QPageSize pageSize{QPageSize::A4};
  QPageLayout::Orientation orientation = QPageLayout::Portrait;
  QMarginsF margins{10, 10, 10, 10};  // mm
  QStringList fontFamilies{QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")};
  double pointSize = 9;
  // Width of the letters in percent: a layout made for narrower letters than the installed
  // fonts have keeps its texts in their places when they are drawn a little narrower.
  int fontStretch = 100;
  std::vector<Band> bands;

  QSizeF PageSizeMm() const;   // as oriented
  double PrintableWidth() const;  // mm between the left and the right margin
  // The first band of a kind, or nullptr.
  const Band* FindBand(BandKind kind) const;
  Band* FindBand(BandKind kind);
};

// Small builders that keep report descriptions readable.
Item Label(double left, double top, const QString& text, double pointSize = 0, bool bold = false);
Item Field(double left, double top, const QString& field, double pointSize = 0, bool bold = false);
Item HorizontalLine(double left, double top, double length = 0, double thickness = 0.2);
Item PageNumber(double left, double top, double pointSize = 0);
Item RecordCount(double left, double top, double pointSize = 0);
// The record count inside a sentence: `pattern` with "%1" where the number goes.
Item RecordCountText(double left, double top, const QString& pattern, double pointSize = 0);

}  // namespace report
