// The service-note command: writes the service note of one card, chosen by its registration
// number, as a PDF file, for use without a desktop.
#pragma once

#include <QStringList>
#include <QTextStream>

// service-note's arguments (after the command name). Returns the exit code.
int RunServiceNote(const QStringList& args, QTextStream& out, QTextStream& err);
