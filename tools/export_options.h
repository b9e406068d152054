// The export command's options that the export dialog also has: a saved view of the register
// list's columns, the title and footer lines, the font size and the page's orientation.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "admin_args.h"
#include "reports/export_columns.h"
#include "reports/export_table.h"

class ExportSource;

// The rules of those options, for ParseArgs.
std::vector<OptionRule> ExportDialogOptionRules();

// Title and footer lines: one option value, lines separated by the two characters "\n".
QStringList OptionLines(const QString& value);

// The layout the options ask for; without them, the dialog's: `defaultTitle`, no footer,
// landscape, the document's default font size.
ExportLayout ExportLayoutFromOptions(const ParsedArgs& parsed, const QString& defaultTitle);

// The options that only a document or a workbook has, named when given for a text file; empty
// when none was.
QString PageOptionGivenForText(const ParsedArgs& parsed);

// Ticks the columns as the saved view `--view` says, from `--views-file` or the user's views
// file, among the views of `source`'s grid; `--view-user` picks the view of one user when
// several have that name. Empty when it
// was applied (or no view was asked for); else why not, naming the views that exist.
QString ApplyViewOption(const ParsedArgs& parsed, const ExportSource& source, std::vector<ExportColumn>& columns);
