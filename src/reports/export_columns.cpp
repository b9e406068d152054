// The export dialog's column list operations.
#include "reports/export_columns.h"

#include "reports/export_source.h"

std::vector<ExportColumn> ExportColumnsFromSource(const ExportSource& source) {
  std::vector<ExportColumn> columns;
  for (const ExportSourceColumn& c : source.Columns()) columns.push_back({c.caption, c.field, !c.colouredApart, c.floating});
  return columns;
}

void TickAll(std::vector<ExportColumn>& columns) {
  for (ExportColumn& c : columns) c.ticked = true;
}

void UntickAll(std::vector<ExportColumn>& columns) {
  for (ExportColumn& c : columns) c.ticked = false;
}

void InvertTicks(std::vector<ExportColumn>& columns) {
  for (ExportColumn& c : columns) c.ticked = !c.ticked;
}

int TickedCount(const std::vector<ExportColumn>& columns) {
  int n = 0;
  for (const ExportColumn& c : columns) n += c.ticked ? 1 : 0;
  return n;
}

void MoveExportColumn(std::vector<ExportColumn>& columns, QStringList& totals, int from, int to) {
  const int count = static_cast<int>(columns.size());
  if (from < 0 || from >= count) return;
  if (to < 0 || to >= count) to = 0;
  if (from == to) return;
  const ExportColumn moved = columns[from];
  columns.erase(columns.begin() + from);
  columns.insert(columns.begin() + to, moved);
  if (from < totals.size() && to < totals.size()) totals.swapItemsAt(from, to);
}

QStringList SplitTotals(const QString& text) {
  QStringList parts = text.split(u';');
  parts.removeLast();  // the text after the last ";" (all of it when there is none)
  return parts;
}

ExportFormatInfo FormatInfo(ExportFormat format) {
  switch (format) {
    case ExportFormat::Word:
      return {QStringLiteral("Документи(MSWord)|*.docx|Всички|*.*"), QStringLiteral("docx"), true, false};
    case ExportFormat::Excel:
      return {QStringLiteral("Таблица(MSExcel)|*.xlsx|Всички|*.*"), QStringLiteral("xlsx"), true, false};
    case ExportFormat::Text:
      break;
  }
  return {QStringLiteral("Текстов файл|*.txt|Всички|*.*"), QStringLiteral("txt"), false, true};
}

QString QtFileFilter(const QString& filter) {
  const QStringList parts = filter.split(u'|');
  QStringList out;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString pattern = parts[i + 1];
    pattern.replace(u';', u' ');
    if (pattern == QLatin1String("*.*")) pattern = QStringLiteral("*");
    out << parts[i] + QStringLiteral(" (") + pattern + u')';
  }
  return out.join(QStringLiteral(";;"));
}

ExportTable BuildExportTable(const std::vector<ExportColumn>& columns, const QStringList& totals, ExportSource& source) {
  ExportTable table;
  std::vector<int> sourceColumns;
  const std::vector<ExportSourceColumn> offered = source.Columns();
  for (size_t i = 0; i < columns.size(); ++i) {
    const ExportColumn& c = columns[i];
    if (!c.ticked) continue;
    int at = -1;
    for (size_t s = 0; s < offered.size(); ++s)
      if (offered[s].field == c.field && offered[s].caption == c.caption) at = static_cast<int>(s);
    sourceColumns.push_back(at);
    table.columns.push_back({c.caption, c.floating});
    if (!totals.isEmpty()) table.totals << totals.value(static_cast<qsizetype>(i));
  }
  table.rowCount = source.RowCount();
  table.cells = [sourceColumns, &source](int row, QStringList& cells) {
    for (int at : sourceColumns) cells << (at < 0 ? QString() : source.CellText(row, at));
  };
  return table;
}
