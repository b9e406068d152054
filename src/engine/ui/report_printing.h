// Sending laid-out pages to a printer: kept with the engine's windows, since a printer belongs
// to Qt PrintSupport, which the command-line tools never link.
#pragma once

#include "engine/report/report_page.h"

class QPrinter;

namespace report {

// Sends the pages to the printer (the page range the printer was given, else all), with
// the report's paper and no margins of the printer's own. False when printing could not
// start. A printer set to print into a file writes that PDF whole or not at all, and a file
// that cannot be written is a FileWriteError (core/output_file.h).
bool PrintPages(QPrinter& printer, const LaidOutReport& report);

}  // namespace report
