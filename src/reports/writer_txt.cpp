// Writing the delimited text export.
#include "reports/writer_txt.h"

#include <QDir>
#include <QSaveFile>
#include <QStringEncoder>

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
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly))
    throw ExportError(QStringLiteral("Файлът „%1“ не може да бъде създаден: %2")
                          .arg(QDir::toNativeSeparators(path), file.errorString()));
  QStringEncoder encoder("windows-1251");
  QByteArray buffer;
  constexpr qsizetype kFlushAt = 1 << 20;
  auto put = [&](const QString& line) {
    buffer += encoder.encode(line);
    buffer += "\r\n";
    if (buffer.size() >= kFlushAt) {
      file.write(buffer);
      buffer.clear();
    }
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
  file.write(buffer);
  if (!file.commit())
    throw ExportError(QStringLiteral("Файлът „%1“ не може да бъде записан: %2")
                          .arg(QDir::toNativeSeparators(path), file.errorString()));
}
