// Bringing an older register's schema up to the one the program makes, without losing a row:
// what is missing is added, what is shorter is widened where no value changes, and what
// cannot be taken over without changing values stops the adoption with what to do.
#pragma once

#include <QString>
#include <QStringList>

#include "adoption/schema_catalog.h"

class Database;

struct SchemaPlan {
  QStringList blocking;    // what stops the adoption, each saying what to do
  QStringList changes;     // what the bring-up makes, in words
  QStringList notes;       // differences the program lives with; left as they are
  QStringList statements;  // the statements of the bring-up, in order
};

// Compares the register `found` in `database` with `wanted` (a register made from the
// program's own schema) and plans the bring-up. Reads the data where a unique index is to be
// made (duplicates stop it); changes nothing.
SchemaPlan PlanSchemaBringUp(Database& database, const SchemaCatalog& found, const SchemaCatalog& wanted);

// Runs the plan's statements, committing each (later ones use what earlier ones made).
void ApplySchemaPlan(Database& database, const SchemaPlan& plan);

// Sets each key generator past the highest key in use; gives a line for each one moved.
QStringList SetGeneratorsPastKeys(Database& database);

// The cards whose FAMILY_MEMBER_COUNT is not the number of their members, by registration
// number, and then sets every card's count right. Gives the registration numbers it corrected.
QList<qint64> RecomputeMemberCounts(Database& database);

// The catalog of a register made from the program's own schema, in a temporary file.
SchemaCatalog RegisterSchemaCatalog();
