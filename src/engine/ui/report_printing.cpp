#include "engine/ui/report_printing.h"

#include <QPainter>
#include <QPrinter>
#include <algorithm>

#include "engine/report/report_painter.h"

namespace report {
namespace {
// Pages [from, to] (0-based) to draw, from the printer's page range.
std::pair<int, int> PrintedRange(const QPrinter& printer, int pageCount) {
  int from = 0, to = pageCount - 1;
  if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
    from = printer.fromPage() - 1;
    to = std::min(to, printer.toPage() > 0 ? printer.toPage() - 1 : to);
  }
  return {from, to};
}

}  // namespace

bool PrintPages(QPrinter& printer, const LaidOutReport& report) {
  printer.setFullPage(true);
  printer.setPageLayout(report.PageLayout());
  if (printer.docName().isEmpty()) printer.setDocName(report.documentName);
  const auto [from, to] = PrintedRange(printer, static_cast<int>(report.pages.size()));
  // "Print to file" in the printer dialog: the PDF is written whole or not at all, like any
  // other output, rather than by the printer straight onto the file.
  if (!printer.outputFileName().isEmpty()) {
    WritePdf(report, printer.outputFileName(), from, to);
    return true;
  }
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  const bool done = PaintRange(painter, printer, report, from, to);
  return painter.end() && done;
}

}  // namespace report
