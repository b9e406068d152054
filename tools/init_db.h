// The init-db command: a new, empty register (schema, code lists, municipality) at a path,
// from options or, without a path on a terminal, by asking in Bulgarian.
#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

#include "data/firebird/database.h"

// Where the interactive creation proposes to put the register: the user's data folder
// followed by "/Tesaro/register.fdb".
QString DefaultRegisterPath();

// Creates the register, with the office that issues service notes when one is given (else the
// note names the default office of the municipality). A refusal (municipality, office, path)
// throws ValidationError, a failure of the database DbError, each with a Bulgarian message; a
// local file left half-made by a failure is removed again.
void InitRegister(const ConnectionParams& params, const QString& municipality, const QString& office = QString());

// Asks for the path (offering DefaultRegisterPath, whose folder it creates) and the
// municipality, then creates the register. Returns the exit code.
int RunInteractiveInit(QTextStream& in, QTextStream& out, QTextStream& err, const QString& defaultPath);

// init-db's arguments (after the command name). Returns the exit code.
int RunInitDb(const QStringList& args, QTextStream& in, QTextStream& out, QTextStream& err, bool stdinIsTerminal);
