// Preview and direct printing of a report.
#include "engine/ui/report_run.h"

#include "engine/report/report_layout.h"
#include "engine/report/report_painter.h"
#include "engine/ui/report_preview.h"
#include "engine/ui/report_printing.h"
#include "engine/ui/report_seams.h"

namespace report {

void PreviewReport(const Report& report, const RowSource& rows, QWidget* parent, const std::function<void()>& afterPrint) {
  TReportPreview preview(LayOut(report, rows), afterPrint, parent);
  RunPreview(preview);
}

bool PrintReport(const Report& report, const RowSource& rows, QPrinter& printer) {
  return PrintPages(printer, LayOut(report, rows));
}

}  // namespace report
