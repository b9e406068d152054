// Drawing laid-out pages with QPainter: on any paint device and into a PDF file (printing is in
// engine/ui/report_printing.h).
#pragma once

#include <QString>

#include "engine/report/report_page.h"

class QPagedPaintDevice;
class QPainter;

namespace report {

// Draws page `index` with the painter; positions become device pixels at the device's
// resolution, the paper's top-left corner at (0, 0).
void PaintPage(QPainter& painter, const LaidOutReport& report, int index);

// Draws pages [from, to] (0-based) on a paged device that the painter has begun, a new
// page before each but the first. False when the device could not start a new page.
bool PaintRange(QPainter& painter, QPagedPaintDevice& device, const LaidOutReport& report, int from, int to);

// Writes pages [from, to] (0-based; to = -1 for the last) as a PDF file, whole or not at all
// (core/output_file.h). FileWriteError with the reason when the file could not be written.
void WritePdf(const LaidOutReport& report, const QString& path, int from = 0, int to = -1);

}  // namespace report
