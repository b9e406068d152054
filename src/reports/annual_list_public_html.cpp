// Writing the public annual list as a web page.
#include "reports/annual_list_public_html.h"

#include "core/output_file.h"
#include "reports/annual_list_layout.h"
#include "reports/annual_list_public_layout.h"
#include "reports/public_list_rows.h"

namespace {
// Text safe inside an element: Qt's HTML escaping (as the report engine's HTML uses), after
// dropping control characters, which cannot stand in a web page (nor in XML).
QString Escaped(const QString& text) {
  QString kept;
  kept.reserve(text.size());
  for (const QChar ch : text)
    if (ch.category() != QChar::Other_Control || ch == u'\t') kept += ch;
  return kept.toHtmlEscaped();
}

const char* const kStyle =
    "body{font-family:Arial,'DejaVu Sans',sans-serif;margin:0 auto;padding:1em;max-width:50em;color:#000;"
    "background:#fff;line-height:1.4}"
    "h1{font-size:1.2em;text-align:center}"
    "p.note{text-align:center}"
    "table{border-collapse:collapse;width:100%}"
    "caption{font-weight:bold;text-align:left;padding:.5em 0}"
    "th,td{border:1px solid #555;padding:.3em .5em;text-align:left;vertical-align:top}"
    "th{background:#eee}"
    "td.n{text-align:right}"
    "@media (max-width:30em){body{padding:.5em;font-size:.9em}th,td{padding:.2em .3em}}";
}  // namespace

QString PublicListHtml(const QString& title, const PublicListRows& rows) {
  QString html;
  html += QStringLiteral(
      "<!DOCTYPE html>\n<html lang=\"bg\" xmlns=\"http://www.w3.org/1999/xhtml\">\n<head>\n<meta charset=\"utf-8\"/>\n"
      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\"/>\n<title>");
  html += Escaped(title);
  html += QStringLiteral("</title>\n<style>");
  html += QString::fromUtf8(kStyle);
  html += QStringLiteral("</style>\n</head>\n<body>\n<main>\n<h1>");
  html += Escaped(title);
  html += QStringLiteral("</h1>\n<p class=\"note\">");
  html += Escaped(PublicAnnualListNote());
  html += QStringLiteral(".</p>\n<table>\n<caption>");
  html += Escaped(QStringLiteral("Класирани семейства/домакинства по години на включване"));
  html += QStringLiteral("</caption>\n<thead>\n<tr>");
  for (const char* caption : {"Място", "Рег. №", "Инициали на титуляра", "Група", "Година на включване"})
    html += QStringLiteral("<th scope=\"col\">") + Escaped(QString::fromUtf8(caption)) + QStringLiteral("</th>");
  html += QStringLiteral("</tr>\n</thead>\n<tbody>\n");
  for (int row = 0; row < rows.RowCount(); ++row) {
    html += QStringLiteral("<tr><td class=\"n\">") + Escaped(rows.Text(row, QStringLiteral("CARD_ID")));
    html += QStringLiteral("</td><td>") + Escaped(rows.Text(row, QStringLiteral("REG_NUM")));
    html += QStringLiteral("</td><td>") + Escaped(rows.Text(row, PublicListRows::kInitials));
    html += QStringLiteral("</td><td>") + Escaped(rows.Text(row, QStringLiteral("grupa11")));
    html += QStringLiteral("</td><td>") + Escaped(rows.Text(row, QStringLiteral("POINTS_YEAR")));
    html += QStringLiteral("</td></tr>\n");
  }
  html += QStringLiteral("</tbody>\n</table>\n<p>");
  html += Escaped(AnnualListCountPattern().arg(rows.RowCount()));
  html += QStringLiteral("</p>\n</main>\n</body>\n</html>\n");
  return html;
}

void WritePublicListHtml(const QString& path, const QString& title, const PublicListRows& rows) {
  WriteWholeFile(path, PublicListHtml(title, rows).toUtf8());
}
