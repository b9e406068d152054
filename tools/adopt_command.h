// Taking over a register kept by an older program: restoring its backup (or a backup of its
// database) into a new register file, bringing its schema up to the program's, checking its
// data and, on request, converting its amounts to euro.
#pragma once

#include <QStringList>
#include <QTextStream>

// adopt SOURCE NEW [--report F] [--euro]: SOURCE is never changed and NEW never overwritten;
// on a failure part-way NEW is removed.
int RunAdopt(const QStringList& args, QTextStream& out, QTextStream& err);
