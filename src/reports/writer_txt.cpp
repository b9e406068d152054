// Writing the delimited text export.
#include "reports/writer_txt.h"

#include "core/code_page_1251.h"
#include "core/output_file.h"

namespace {
QString JoinCells(const QStringList& cells, const QString& delimiter) { return cells.join(delimiter); }
}  // namespace

QString ExportHeaderLine(const ExportTable& table, const QString& delimiter) {
  QStringList captions;
  for (const ExportColumnSpec& c : table.columns) captions << c.caption;
  return JoinCells(captions, delimiter);
}

void WriteTextExport(const QString& path, const ExportTable& table, const QString& delimiter,
                     const ExportProgress& progress) {
  try {
    OutputFile file(path);
    QByteArray buffer;
    constexpr qsizetype kFlushAt = 1 << 20;
    // A failed write stops the export at once with the system's reason.
    auto write = [&] {
      file.Write(buffer);
      buffer.clear();
    };
    auto put = [&](const QString& line) {
      buffer += ToCp1251Replacing(line);
      buffer += "\r\n";
      if (buffer.size() >= kFlushAt) write();
    };
    put(ExportHeaderLine(table, delimiter));
    QStringList cells;
    for (int row = 0; row < table.rowCount; ++row) {
      cells.clear();
      table.cells(row, cells);
      put(JoinCells(cells, delimiter));
      if (progress) progress(row + 1);
    }
    if (!table.totals.isEmpty()) put(JoinCells(table.totals, delimiter));
    write();
    file.Commit();
  } catch (const FileWriteError& error) {
    throw ExportError(error.Message());
  }
}
