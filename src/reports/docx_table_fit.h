// Fitting the .docx export's table to the page: how wide each column's texts are in the
// documents' font, the largest font size (down to 7 pt) at which every column holds its
// longest word whole, and the column widths at that size. A word or number is never broken
// in the middle: a table that does not fit even at 7 pt is refused with a message that says so.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "reports/export_table.h"

namespace docx_page {
inline constexpr int kDefaultFontSize = 12;  // points
inline constexpr int kSmallestFontSize = 7;  // points
inline constexpr int kA4Short = 11906;       // twips
inline constexpr int kA4Long = 16838;
inline constexpr int kMargin = 567;          // 1 cm: a register list is wide
inline constexpr int kCellMargin = 57;       // 1 mm on either side of a cell
// The width the table may take: the page between its margins, in twips.
inline constexpr int UsableWidth(bool landscape) { return (landscape ? kA4Long : kA4Short) - 2 * kMargin; }
}  // namespace docx_page

// What a column's texts need, in ems of the documents' font.
struct DocxColumnNeed {
  double longestLine = 0;  // the widest line, to stand on one line
  double longestWord = 0;  // the widest word, the least the column may be
};

// Collects the needs of the columns as the header and the rows go by.
class DocxTableMeasure {
 public:
  explicit DocxTableMeasure(size_t columnCount) : needs_(columnCount) {}
  // The header and the totals are bold, the rows are not.
  void Add(const QStringList& cells, bool bold);
  const std::vector<DocxColumnNeed>& Needs() const { return needs_; }

 private:
  std::vector<DocxColumnNeed> needs_;
};

struct DocxTableFit {
  bool fits = false;        // every column holds its longest word at `halfPoints`
  int halfPoints = 0;       // the table's font size in half points (the document's unit)
  std::vector<int> widths;  // twips, one per column; empty when it does not fit
};

// The largest size from `largestPoints` down to 7 pt, in half points, at which the columns
// side by side, each as wide as its longest word, fit `usableWidth` twips. The room left goes
// to the columns in proportion to what they lack to hold their longest lines; a table narrower
// than the page keeps every line whole.
DocxTableFit FitDocxColumns(const std::vector<DocxColumnNeed>& needs, int largestPoints, int usableWidth);

// The font size the layout asks for: the chosen one, or the default.
int DocxChosenFontSize(const ExportLayout& layout);

// Walks the table's rows once and fits them as the writer will.
DocxTableFit FitDocxExport(const ExportTable& table, const ExportLayout& layout);

// The refusal of a table that does not fit even at 7 pt; suggests landscape when it was not
// chosen.
QString DocxTooWideMessage(bool landscape);
// What the clerk is told when the size chosen was too large and the table gets a smaller one.
QString DocxSmallerFontNote(int chosenPoints, int halfPoints);
// "10,5" for 21 half points, "12" for 24.
QString FontSizeText(int halfPoints);
