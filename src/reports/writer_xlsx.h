// The spreadsheet export: an .xlsx workbook of one sheet written with libxlsxwriter. Title
// lines merged over the chosen columns in bold, the bold header row two below the title, the
// rows from the next row on as text, a bold totals row, the footer merged two rows below the
// last row; thin borders, top alignment, the font size, widths fitted to contents. Printed on
// A4 as chosen (landscape or portrait), one page wide, the title and header rows on every
// page; the panes frozen under the header row, which carries an autofilter over the rows.
#pragma once

#include "reports/export_table.h"

// The spreadsheet's letters of a column counted from 0: "A" to "Z", then "AA", "AB" and so on.
QString ColumnLetters(int column);

// Width in the spreadsheet's character units for a column whose longest text has `chars`
// characters at `fontSize` points (0: the default size).
double XlsxColumnWidth(int chars, int fontSize);

// Writes the workbook, replacing an older file. Rows are written as they are walked, so the
// sheet never has to be held in memory whole. Throws ExportError.
void WriteXlsxExport(const QString& path, const ExportTable& table, const ExportLayout& layout,
                     const ExportProgress& progress = {});
