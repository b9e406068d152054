// Backing up a register to a file and restoring it, through Firebird's own gbak.
#pragma once

#include <QStringList>
#include <QTextStream>

struct ConnectionParams;

// backup DB FILE: writes a backup of the register DB to FILE (an older FILE is replaced).
int RunBackup(const QStringList& args, QTextStream& out, QTextStream& err);
// restore FILE DB: makes a new register DB from the backup FILE; an existing DB is refused.
int RunRestore(const QStringList& args, QTextStream& out, QTextStream& err);

// Runs Firebird's gbak with `args` and the credentials of `params` (through its environment);
// its own output goes to `err` on failure. True when it succeeded.
bool RunGbak(const QStringList& args, const ConnectionParams& params, QTextStream& err);
