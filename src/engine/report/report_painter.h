// Drawing laid-out pages with QPainter: on any paint device, on a printer, into a PDF file.
#pragma once

#include <QString>

#include "engine/report/report_page.h"

class QPainter;
class QPrinter;

namespace report {

// Draws page `index` with the painter; positions become device pixels at the device's
// resolution, the paper's top-left corner at (0, 0).
void PaintPage(QPainter& painter, const LaidOutReport& report, int index);

// Sends the pages to the printer (the page range the printer was given, else all), with
// the report's paper and no margins of the printer's own. False when printing could not
// start.
bool PrintPages(QPrinter& printer, const LaidOutReport& report);

// Writes the pages as a PDF file. False when the file could not be written.
bool WritePdf(const LaidOutReport& report, const QString& path);

}  // namespace report
