// The population command of tesaro-admin: loading a CSV extract of the population database
// into the reference library's store.
#pragma once

#include <QStringList>
#include <QTextStream>

// population's arguments (after the command name): "import FILE.csv [--db STORE]". Without
// --db the store is the file named by TESARO_POPULATION_DB. Returns the exit code.
int RunPopulation(const QStringList& args, QTextStream& out, QTextStream& err);
