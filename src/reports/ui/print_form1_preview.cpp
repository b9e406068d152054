// The annual list report form's preview: the engine's modal preview window.
#include "engine/ui/report_run.h"
#include "reports/print_form1.h"

void TPrintForm1::Preview(const report::RowSource& rows, QWidget* parent) {
  report::PreviewReport(QRep(), rows, parent, [this] { QRepAfterPrint(); });
}
