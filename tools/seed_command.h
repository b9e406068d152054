// The seed command: fills an existing register with synthetic households.
#pragma once

#include <QStringList>
#include <QTextStream>

// seed's arguments (after the command name). Progress goes to `err`. Returns the exit code.
int RunSeed(const QStringList& args, QTextStream& out, QTextStream& err);
