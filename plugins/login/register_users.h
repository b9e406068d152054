// The register's side of the login users: creating the embedded register on a first start, and
// keeping table users in step with the login configuration (users.NAME is the login).
#pragma once

#include <QString>
#include <exception>

#include "data/firebird/database.h"

// True for a server path (assumed to exist) or a local file that exists.
bool RegisterExists(const ConnectionParams& params);

// Creates a new register (schema, code lists, municipality) at a local path, with its folder.
// A file left half-made by a failure is removed again. Throws DbError or LoginError.
void CreateRegisterFile(const ConnectionParams& params, const QString& municipality);

// Adds the login to table users when no row has that NAME; an empty full name is stored as
// NULL. True when a row was added. Commits. Throws DbError.
bool EnsureRegisterUser(const ConnectionParams& params, const QString& login, const QString& fullName);

enum class RegisterUserRemoval {
  Removed,         // the row is gone
  KeptForHistory,  // history records refer to the user's id, so the row stays for them
  NotThere,        // no row had that NAME
};
// Deletes the login's users row unless INF_LOG refers to it. Commits. Throws DbError.
RegisterUserRemoval RemoveRegisterUser(const ConnectionParams& params, const QString& login);

// The text of a login or database error for the user.
QString LoginErrorText(const std::exception& error);
