// tesaro-admin's user commands for a register on a server: each clerk's own account on the
// server and the role of their rights group in the register, made with the server
// administrator's account (ISC_USER / ISC_PASSWORD, or asked on the terminal; never kept).
#pragma once

#include <QString>
#include <QTextStream>

#include "admin_args.h"
#include "register_users.h"

struct ServerUserRequest {
  QString action;  // add, passwd, list, remove, migrate-roles
  ParsedArgs args;
  QString configPath;
  QString registerPath;  // "host:/path"
  bool passwordsFromStdin = false;
  bool stdinIsTerminal = false;
};

// Runs the action; returns the exit code. Throws LoginError or DbError.
int RunServerUser(const ServerUserRequest& request, QTextStream& in, QTextStream& out, QTextStream& err);

// What removing a user did to their row in the register's users table, in the words both user
// commands print; nothing for a row that was not there.
void SayRegisterUserRemoval(RegisterUserRemoval removal, QTextStream& out);
