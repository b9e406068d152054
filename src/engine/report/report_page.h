// A laid-out report: pages of single lines of text and horizontal lines, positioned in
// millimetres from the paper's top-left corner. Every renderer draws exactly this.
#pragma once

#include <QLineF>
#include <QPageLayout>
#include <QPageSize>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <vector>

namespace report {

struct PlacedText {
  QPointF origin;    // mm: left end of the text's baseline
  double top = 0;    // mm: top of the line box (baseline minus ascent)
  double width = 0;  // mm, as measured
  QString text;      // one line, never wrapped again
  double pointSize = 9;
  bool bold = false;
};

struct PlacedLine {
  QLineF line;  // mm
  double thickness = 0.2;
};

struct Page {
  std::vector<PlacedText> texts;
  std::vector<PlacedLine> lines;
};

struct LaidOutReport {
  QString documentName;
  QPageSize pageSize{QPageSize::A4};
  QPageLayout::Orientation orientation = QPageLayout::Portrait;
  QStringList fontFamilies;
  int fontStretch = 100;
  std::vector<Page> pages;
  int recordCount = 0;  // detail bands printed

  // The page layout for a printer or PDF writer: the report's paper, no margins (the
  // positions already include them).
  QPageLayout PageLayout() const;
};

}  // namespace report
