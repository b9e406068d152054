// The export dialog's column list without widgets: the entries offered from a grid, ticking,
// reordering by drag and drop, the format choices and building what the writers get.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "reports/export_table.h"

class ExportSource;

struct ExportColumn {
  QString caption;
  QString field;
  bool ticked = true;
  bool floating = false;
  bool operator==(const ExportColumn&) const = default;
};

// One entry per offered grid column, in grid order; ticked unless the grid paints the column
// in a colour of its own.
std::vector<ExportColumn> ExportColumnsFromSource(const ExportSource& source);

void TickAll(std::vector<ExportColumn>& columns);
void UntickAll(std::vector<ExportColumn>& columns);
void InvertTicks(std::vector<ExportColumn>& columns);
int TickedCount(const std::vector<ExportColumn>& columns);
// The refusal of an export without a ticked column.
inline constexpr const char* kNoColumnsMessage = "Няма избрани колони за извеждане !";

// Dropping entry `from` at `to` (-1: below the last entry, which moves it to the top). The
// entry is taken out and put in at `to`; the totals entries at the two places are exchanged.
void MoveExportColumn(std::vector<ExportColumn>& columns, QStringList& totals, int from, int to);

// The totals text split at each ";"; a text after the last ";" is dropped.
QStringList SplitTotals(const QString& text);

enum class ExportFormat { Word, Excel, Text };

struct ExportFormatInfo {
  QString filter;            // the file types, "name|pattern|name|pattern"
  QString defaultExtension;  // without the dot
  bool pageOptions;          // layout and font size shown
  bool delimiterOption;      // delimiter shown
};
ExportFormatInfo FormatInfo(ExportFormat format);

// The file dialog's filter in Qt's form: "name (pattern);;name (pattern)".
QString QtFileFilter(const QString& filter);

// The ticked entries of the list as the writers' table over the source's rows: cells and
// totals at the ticked positions, in list order.
ExportTable BuildExportTable(const std::vector<ExportColumn>& columns, const QStringList& totals, ExportSource& source);
