// The HTML form of a laid-out report: one block per page, every line of text and every
// rule placed where it is printed; all texts escaped.
#pragma once

#include <QString>

#include "engine/report/report_page.h"

namespace report {

QString HtmlDocument(const LaidOutReport& report);
// Writes HtmlDocument as UTF-8, whole or not at all. FileWriteError with the reason when the
// file could not be written.
void WriteHtml(const LaidOutReport& report, const QString& path);

}  // namespace report
