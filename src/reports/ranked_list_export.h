// The ranked list as an export table: the columns of the printed annual list, one row per
// ranked household in its order, so the spreadsheet and text writers produce the annual list
// as data (tesaro-admin annual-list --xlsx/--txt; the export dialog can offer it the same way).
#pragma once

#include <QString>

#include "engine/report/row_source.h"
#include "reports/export_table.h"

// Place, application, holder, group, "от" date, particulars, year of inclusion. The table reads
// the rows when it is written, so `ranked` must outlive it.
ExportTable RankedListTable(const report::RowSource& ranked);
// The annual list's title over the table, portrait like the printed list.
ExportLayout RankedListExportLayout(const QString& title);
