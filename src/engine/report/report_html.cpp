// HTML writer: absolutely placed lines in millimetres, one page after another.
#include "engine/report/report_html.h"

#include <QSizeF>

#include "core/output_file.h"

namespace report {
namespace {
QString Mm(double value) { return QString::number(value, 'f', 2) + QStringLiteral("mm"); }

QString FontFamilies(const QStringList& families) {
  QStringList quoted;
  for (const QString& family : families) quoted << u'\'' + QString(family).remove(u'\'').remove(u'<').remove(u'>') + u'\'';
  quoted << QStringLiteral("sans-serif");
  return quoted.join(u',');
}
}  // namespace

QString HtmlDocument(const LaidOutReport& report) {
  const QSizeF page = report.pageSize.size(QPageSize::Millimeter);
  const QSizeF oriented = report.orientation == QPageLayout::Landscape ? page.transposed() : page;
  QString html;
  html += QStringLiteral("<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>");
  html += report.documentName.toHtmlEscaped();
  html += QStringLiteral("</title>\n<style>\n");
  html += QStringLiteral("body { margin: 0; background: #ddd; font-family: %1; }\n").arg(FontFamilies(report.fontFamilies));
  html += QStringLiteral(".page { position: relative; overflow: hidden; background: #fff; margin: 5mm auto; width: %1; height: %2; }\n")
              .arg(Mm(oriented.width()), Mm(oriented.height()));
  html += QStringLiteral(".t { position: absolute; white-space: pre; margin: 0; line-height: 1.15; }\n");
  if (report.fontStretch != 100)
    html += QStringLiteral(".t { transform: scaleX(%1); transform-origin: left top; }\n")
                .arg(QString::number(report.fontStretch / 100.0, 'f', 2));
  html += QStringLiteral(".r { position: absolute; height: 0; }\n");
  html += QStringLiteral("@media print { body { background: none; } .page { margin: 0; page-break-after: always; } }\n");
  html += QStringLiteral("@page { size: %1 %2; margin: 0; }\n").arg(Mm(oriented.width()), Mm(oriented.height()));
  html += QStringLiteral("</style>\n</head>\n<body>\n");
  for (const Page& p : report.pages) {
    html += QStringLiteral("<div class=\"page\">\n");
    for (const PlacedLine& line : p.lines) {
      html += QStringLiteral("<div class=\"r\" style=\"left:%1;top:%2;width:%3;border-top:%4 solid #000\"></div>\n")
                  .arg(Mm(line.line.x1()), Mm(line.line.y1() - line.thickness / 2), Mm(line.line.dx()), Mm(line.thickness));
    }
    for (const PlacedText& text : p.texts) {
      html += QStringLiteral("<div class=\"t\" style=\"left:%1;top:%2;font-size:%3pt%4\">%5</div>\n")
                  .arg(Mm(text.origin.x()), Mm(text.top), QString::number(text.pointSize),
                       text.bold ? QStringLiteral(";font-weight:bold") : QString(), text.text.toHtmlEscaped());
    }
    html += QStringLiteral("</div>\n");
  }
  html += QStringLiteral("</body>\n</html>\n");
  return html;
}

void WriteHtml(const LaidOutReport& report, const QString& path) { WriteWholeFile(path, HtmlDocument(report).toUtf8()); }

}  // namespace report
