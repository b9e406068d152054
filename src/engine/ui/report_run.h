// What callers of the engine ask for: a modal preview of a report over its rows, or the
// report printed at once on a printer already chosen.
#pragma once

#include <functional>

#include "engine/report/report_model.h"
#include "engine/report/row_source.h"

class QPrinter;
class QWidget;

namespace report {

// Lays the report out and runs the preview (through the preview seam); returns when it is
// closed. `afterPrint` runs each time the report was sent to a printer from the preview.
void PreviewReport(const Report& report, const RowSource& rows, QWidget* parent, const std::function<void()>& afterPrint);

// Lays the report out and prints it on the printer. False when printing could not start.
bool PrintReport(const Report& report, const RowSource& rows, QPrinter& printer);

}  // namespace report
