// The word-processor export: a .docx document (WordprocessingML) with the title lines
// centred, three empty paragraphs, the table built cell by cell (a header row repeated on
// every page, widths fitted to the contents, centred on the page, floating-point columns
// right-aligned) and the footer centred; landscape and the font size as chosen.
#pragma once

#include <QByteArray>

#include "reports/export_table.h"

// Text made safe for XML character data: &, <, > escaped and characters XML cannot hold dropped.
QByteArray XmlText(const QString& text);

// Width of each column in twentieths of a point, fitted to its contents at the font size: the
// longest line (characters) when the table fits `usableWidth`; otherwise at least the longest
// word, the room left shared in proportion to what each column lacks.
std::vector<int> DocxColumnWidths(const std::vector<int>& longestLine, const std::vector<int>& longestWord,
                                  int fontSize, int usableWidth);

// Writes the document, replacing an older file. Throws ExportError.
void WriteDocxExport(const QString& path, const ExportTable& table, const ExportLayout& layout,
                     const ExportProgress& progress = {});
