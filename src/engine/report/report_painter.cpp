// QPainter rendering of laid-out pages.
#include "engine/report/report_painter.h"

#include <QPainter>
#include <QPaintDevice>
#include <QPdfWriter>
#include <algorithm>

#include "engine/report/text_measure.h"

namespace report {
namespace {
constexpr double kMmPerInch = 25.4;
constexpr int kPdfResolution = 1200;
}  // namespace

bool PaintRange(QPainter& painter, QPagedPaintDevice& device, const LaidOutReport& report, int from, int to) {
  for (int index = from; index <= to; ++index) {
    if (index > from && !device.newPage()) return false;
    PaintPage(painter, report, index);
  }
  return true;
}

void PaintPage(QPainter& painter, const LaidOutReport& report, int index) {
  if (index < 0 || index >= static_cast<int>(report.pages.size())) return;
  const Page& page = report.pages[static_cast<size_t>(index)];
  const double dotsPerMm = painter.device()->logicalDpiX() / kMmPerInch;

  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  for (const PlacedLine& line : page.lines) {
    QPen pen(Qt::black);
    pen.setWidthF(std::max(1.0, line.thickness * dotsPerMm));
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    painter.drawLine(QLineF(line.line.p1() * dotsPerMm, line.line.p2() * dotsPerMm));
  }
  painter.setPen(Qt::black);
  // Narrower letters are drawn by scaling the painter, the same on every device.
  const double widthFactor = report.fontStretch / 100.0;
  for (const PlacedText& text : page.texts) {
    painter.setFont(ReportFont(report.fontFamilies, text.pointSize, text.bold));
    if (report.fontStretch == 100) {
      painter.drawText(text.origin * dotsPerMm, text.text);
      continue;
    }
    painter.save();
    painter.translate(text.origin * dotsPerMm);
    painter.scale(widthFactor, 1);
    painter.drawText(QPointF(0, 0), text.text);
    painter.restore();
  }
  painter.restore();
}

bool WritePdf(const LaidOutReport& report, const QString& path) {
  QPdfWriter writer(path);
  writer.setResolution(kPdfResolution);
  writer.setPageLayout(report.PageLayout());
  writer.setTitle(report.documentName);
  writer.setCreator(QStringLiteral("Tesaro"));
  QPainter painter;
  if (!painter.begin(&writer)) return false;
  const bool done = PaintRange(painter, writer, report, 0, static_cast<int>(report.pages.size()) - 1);
  return painter.end() && done;
}

}  // namespace report
