// The HTML form of a laid-out report: one block per page, every line of text and every
// rule placed where it is printed; all texts escaped.
#pragma once

#include <QString>

#include "engine/report/report_page.h"

namespace report {

QString HtmlDocument(const LaidOutReport& report);
// Writes HtmlDocument as UTF-8. False when the file could not be written.
bool WriteHtml(const LaidOutReport& report, const QString& path);

}  // namespace report
