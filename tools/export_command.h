// The export command: the register, or a search of it, written to a text file, a .docx or an
// .xlsx with the register grid's default columns, as the export dialog would write it.
#pragma once

#include <QStringList>
#include <QTextStream>

// export's arguments (after the command name). Returns the exit code.
int RunExport(const QStringList& args, QTextStream& out, QTextStream& err);
