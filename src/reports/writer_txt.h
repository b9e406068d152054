// The delimited text export: a header line of the captions and one line per row, the cells
// joined by the delimiter, each line ended by CR LF, in the Cyrillic 8-bit code page.
#pragma once

#include "reports/export_table.h"

// The header line: the captions joined by the delimiter.
QString ExportHeaderLine(const ExportTable& table, const QString& delimiter);

// Writes the file, replacing an older one only when the new one is complete. Characters the
// code page windows-1251 cannot hold come out as "?". Throws ExportError.
void WriteTextExport(const QString& path, const ExportTable& table, const QString& delimiter,
                     const ExportProgress& progress = {});
