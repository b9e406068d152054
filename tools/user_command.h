// The user commands of tesaro-admin: add, passwd, list and remove the users of the login
// library, keeping its configuration file and the register's users table in step.
#pragma once

#include <QStringList>
#include <QTextStream>

// user's arguments (after the command name "user"). Passwords come from `in`: one line with
// --password-stdin, else typed twice on the terminal without echo. Returns the exit code.
int RunUser(const QStringList& args, QTextStream& in, QTextStream& out, QTextStream& err, bool stdinIsTerminal);
