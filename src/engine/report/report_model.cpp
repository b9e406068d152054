// Page geometry of a report and the item builders.
#include "engine/report/report_model.h"

namespace report {

QSizeF Report::PageSizeMm() const {
  const QSizeF size = pageSize.size(QPageSize::Millimeter);
  return orientation == QPageLayout::Landscape ? size.transposed() : size;
}

double Report::PrintableWidth() const { return PageSizeMm().width() - margins.left() - margins.right(); }

const Band* Report::FindBand(BandKind kind) const {
  for (const Band& band : bands)
    if (band.kind == kind) return &band;
  return nullptr;
}

Band* Report::FindBand(BandKind kind) {
  for (Band& band : bands)
    if (band.kind == kind) return &band;
  return nullptr;
}

namespace {
Item TextItem(ItemKind kind, double left, double top, const QString& text, double pointSize, bool bold) {
  Item item;
  item.kind = kind;
  item.left = left;
  item.top = top;
  item.text = text;
  item.pointSize = pointSize;
  item.bold = bold;
  return item;
}
}  // namespace

Item Label(double left, double top, const QString& text, double pointSize, bool bold) {
  return TextItem(ItemKind::Label, left, top, text, pointSize, bold);
}

Item Field(double left, double top, const QString& field, double pointSize, bool bold) {
  return TextItem(ItemKind::Field, left, top, field, pointSize, bold);
}

Item HorizontalLine(double left, double top, double length, double thickness) {
  Item item;
  item.kind = ItemKind::Line;
  item.left = left;
  item.top = top;
  item.width = length;
  item.thickness = thickness;
  return item;
}

Item PageNumber(double left, double top, double pointSize) {
  return TextItem(ItemKind::PageNumber, left, top, QString(), pointSize, false);
}

Item RecordCount(double left, double top, double pointSize) {
  return TextItem(ItemKind::RecordCount, left, top, QString(), pointSize, false);
}

Item RecordCountText(double left, double top, const QString& pattern, double pointSize) {
  return TextItem(ItemKind::RecordCount, left, top, pattern, pointSize, false);
}

}  // namespace report
