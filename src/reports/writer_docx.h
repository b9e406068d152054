// The word-processor export: a .docx document (WordprocessingML) with the title lines
// centred, three empty paragraphs, the table built cell by cell (a header row repeated on
// every page, widths fitted to the contents without breaking a word, centred on the page,
// floating-point columns right-aligned) and the footer centred; landscape as chosen.
#pragma once

#include <QByteArray>

#include "reports/export_table.h"

// Text made safe for XML character data: &, <, > escaped and characters XML cannot hold dropped.
QByteArray XmlText(const QString& text);

// Writes the document, replacing an older file. The table takes the largest size up to the
// chosen one at which every word and number stays whole (reports/docx_table_fit.h); a table
// too wide for that even at 7 pt is refused with DocxTooWideMessage and nothing is written.
// Throws ExportError.
void WriteDocxExport(const QString& path, const ExportTable& table, const ExportLayout& layout,
                     const ExportProgress& progress = {});
