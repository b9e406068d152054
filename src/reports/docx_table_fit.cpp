#include "reports/docx_table_fit.h"

#include <algorithm>
#include <cmath>

#include "reports/document_font_widths.h"

namespace {
// Word processors place glyphs on their own grid and round: a little room more than the
// face's advance widths keeps a word that just fits on one line.
constexpr double kRoundingAllowance = 1.03;
constexpr int kSlackTwips = 20;
constexpr double kNarrowestEms = 1.0;  // an empty column still shows a character or two

// Twips a text of `ems` needs in a cell at `halfPoints`, the cell's margins included.
int CellTwips(double ems, int halfPoints) {
  const double textTwips = std::max(ems, kNarrowestEms) * halfPoints * 10 * kRoundingAllowance;
  return static_cast<int>(std::ceil(textTwips)) + kSlackTwips + 2 * docx_page::kCellMargin;
}

// One pass over the text (a register of 100 000 rows has some two million cells): the widest
// line, and the widest run of characters between blanks, tabs and line ends. A tab is drawn as
// at least a blank: it is never a place a word breaks.
void Measure(const QString& text, bool bold, DocxColumnNeed& need) {
  double line = 0, word = 0;
  for (const QChar ch : text) {
    if (ch == u'\n') {
      line = word = 0;
      continue;
    }
    if (ch == u'\r') continue;  // a line end written CR LF
    const double width = DocumentTextWidthEm(QStringView(&ch, 1), bold);
    line += width;
    word = (ch == u' ' || ch == u'\t') ? 0 : word + width;
    need.longestLine = std::max(need.longestLine, line);
    need.longestWord = std::max(need.longestWord, word);
  }
}
}  // namespace

void DocxTableMeasure::Add(const QStringList& cells, bool bold) {
  for (size_t c = 0; c < needs_.size(); ++c) Measure(cells.value(static_cast<qsizetype>(c)), bold, needs_[c]);
}

DocxTableFit FitDocxColumns(const std::vector<DocxColumnNeed>& needs, int largestPoints, int usableWidth) {
  DocxTableFit fit;
  const int smallest = 2 * docx_page::kSmallestFontSize;
  for (int halfPoints = std::max(2 * largestPoints, smallest); halfPoints >= smallest; --halfPoints) {
    std::vector<int> narrowest, widest;
    long narrowestTotal = 0, widestTotal = 0;
    for (const DocxColumnNeed& need : needs) {
      narrowest.push_back(CellTwips(need.longestWord, halfPoints));
      widest.push_back(std::max(narrowest.back(), CellTwips(need.longestLine, halfPoints)));
      narrowestTotal += narrowest.back();
      widestTotal += widest.back();
    }
    if (narrowestTotal > usableWidth) continue;
    fit.fits = true;
    fit.halfPoints = halfPoints;
    if (widestTotal <= usableWidth) {
      fit.widths = widest;
      return fit;
    }
    const double share = double(usableWidth - narrowestTotal) / double(widestTotal - narrowestTotal);
    for (size_t c = 0; c < needs.size(); ++c)
      fit.widths.push_back(narrowest[c] + static_cast<int>(std::floor((widest[c] - narrowest[c]) * share)));
    return fit;
  }
  fit.halfPoints = smallest;
  return fit;
}

int DocxChosenFontSize(const ExportLayout& layout) {
  return layout.fontSize > 0 ? layout.fontSize : docx_page::kDefaultFontSize;
}

DocxTableFit FitDocxExport(const ExportTable& table, const ExportLayout& layout) {
  DocxTableMeasure measure(table.columns.size());
  QStringList cells;
  for (const ExportColumnSpec& c : table.columns) cells << c.caption;
  measure.Add(cells, true);
  for (int r = 0; r < table.rowCount; ++r) {
    cells.clear();
    table.cells(r, cells);
    measure.Add(cells, false);
  }
  if (!table.totals.isEmpty()) measure.Add(table.totals, true);
  return FitDocxColumns(measure.Needs(), DocxChosenFontSize(layout), docx_page::UsableWidth(layout.landscape));
}

QString DocxTooWideMessage(bool landscape) {
  QString text = QStringLiteral(
      "Избраните колони не се събират в ширината на страницата дори с шрифт %1 пункта, без думи и числа "
      "да се разделят на два реда.\n")
                     .arg(docx_page::kSmallestFontSize);
  text += landscape ? QStringLiteral("Изберете по-малко колони.")
                    : QStringLiteral("Изберете по-малко колони или оформление „Пейзаж“.");
  return text;
}

QString DocxSmallerFontNote(int chosenPoints, int halfPoints) {
  return QStringLiteral(
             "С шрифт %1 пункта избраните колони не се събират в ширината на страницата; таблицата ще бъде "
             "записана с шрифт %2 пункта.")
      .arg(chosenPoints)
      .arg(FontSizeText(halfPoints));
}

QString FontSizeText(int halfPoints) {
  return halfPoints % 2 == 0 ? QString::number(halfPoints / 2) : QStringLiteral("%1,5").arg(halfPoints / 2);
}
