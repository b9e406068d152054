// The ranked list's columns for the export writers.
#include "reports/ranked_list_export.h"

#include <array>

namespace {
struct RankedColumn {
  const char* caption;
  const char* field;
};

// In the printed list's order; the year of inclusion, printed there as a header above each
// year's rows, is a column of its own so that every row can be read alone.
constexpr std::array<RankedColumn, 7> kColumns{{
    {"Място", "CARD_ID"},
    {"Заявление №", "DOC_IDTXT"},
    {"Име на титуляра", "NAME"},
    {"Група", "grupa11"},
    {"В групата от", "GRUPA_DATE"},
    {"Особености", "POINTS_DESCR"},
    {"Година на включване", "POINTS_YEAR"},
}};

// The date of the group as printed: without a time of day.
QString DateOnly(const QString& text) { return text.section(u' ', 0, 0); }
}  // namespace

ExportTable RankedListTable(const report::RowSource& ranked) {
  ExportTable table;
  for (const RankedColumn& column : kColumns) table.columns.push_back({QString::fromUtf8(column.caption), false});
  table.rowCount = ranked.RowCount();
  table.cells = [&ranked](int row, QStringList& cells) {
    cells.clear();
    for (const RankedColumn& column : kColumns) {
      const QString field = QString::fromUtf8(column.field);
      const QString text = ranked.Text(row, field);
      cells << (field == QLatin1String("GRUPA_DATE") ? DateOnly(text) : text);
    }
  };
  return table;
}

ExportLayout RankedListExportLayout(const QString& title) {
  ExportLayout layout;
  layout.title = QStringList{title};
  layout.landscape = false;
  return layout;
}
