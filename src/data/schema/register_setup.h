// Making a new register: the database file, the schema and the starting code lists.
#pragma once

#include <QString>

#include "data/firebird/database.h"

// The schema script (register_schema.sql), compiled in.
const char* RegisterSchemaScript();

// Default number of years of address registration a new register starts with (NOM row 3).
inline constexpr int kDefaultRegistrationYears = 5;

// Creates the database at params.path (refused when the file exists), runs the schema,
// fills the code lists and the settings cells (the municipality, the issuing office when
// given, the years), on a server also the rights groups' roles (register_roles.h), commits and
// leaves `database` attached.
void CreateRegister(Database& database, const ConnectionParams& params, const QString& municipality,
                    const QString& office = QString());

// Runs the schema script on an empty, attached database, committing after each statement.
void RunSchemaScript(Database& database);
