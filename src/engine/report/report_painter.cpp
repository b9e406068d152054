// QPainter rendering of laid-out pages.
#include "engine/report/report_painter.h"

#include <QPainter>
#include <QPaintDevice>
#include <QPdfWriter>
#include <algorithm>
#include <map>

#include "core/output_file.h"
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
  // Narrower letters are drawn by scaling the painter, the same on every device: once for the
  // page, each text's left end moved to where the scale puts it.
  const double widthFactor = report.fontStretch / 100.0;
  painter.scale(widthFactor, 1);
  // A page has texts in a few fonts only: each is made once and set only when it changes.
  std::map<std::pair<double, bool>, QFont> fonts;
  std::pair<double, bool> currentFont{-1, false};
  for (const PlacedText& text : page.texts) {
    const std::pair<double, bool> key{text.pointSize, text.bold};
    if (key != currentFont) {
      auto [font, made] = fonts.try_emplace(key);
      if (made) font->second = ReportFont(report.fontFamilies, text.pointSize, text.bold);
      painter.setFont(font->second);
      currentFont = key;
    }
    painter.drawText(QPointF(text.origin.x() * dotsPerMm / widthFactor, text.origin.y() * dotsPerMm), text.text);
  }
  painter.restore();
}

void WritePdf(const LaidOutReport& report, const QString& path, int from, int to) {
  if (to < 0) to = static_cast<int>(report.pages.size()) - 1;
  OutputFile file(path);
  {
    // The writer draws into the file's device, which keeps the system's reason for a failed
    // write: QPdfWriter itself ignores write errors and ends a truncated file as if whole.
    QPdfWriter writer(&file.Device());
    writer.setResolution(kPdfResolution);
    writer.setPageLayout(report.PageLayout());
    writer.setTitle(report.documentName);
    writer.setCreator(QStringLiteral("Tesaro"));
    QPainter painter;
    // A failed write is the likelier cause of a failed start or end; Flush names it.
    if (!painter.begin(&writer)) {
      file.Flush();
      throw FileWriteError(path, QStringLiteral("документът PDF не можа да започне"));
    }
    const bool drawn = PaintRange(painter, writer, report, from, to);
    if (!painter.end() || !drawn) {
      file.Flush();
      throw FileWriteError(path, QStringLiteral("страниците не можаха да бъдат изрисувани"));
    }
  }
  file.Commit();
}

}  // namespace report
