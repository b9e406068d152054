// The login library's account operations, each keeping the configuration file and the
// register's users table in step: the first administrator, adding, removing, checking and
// changing passwords. Used by the login library's dialogs and by tesaro-admin.
#pragma once

#include <QString>
#include <optional>

#include "login_config.h"
#include "register_users.h"

// The connection settings of a configured database.
ConnectionParams ParamsOf(const LoginDatabase& database);

// The configured user whose password matches, or nothing (unknown login or wrong password).
// For a register on a server the server checks them; a server that cannot be asked throws its
// DbError, and an account without a rights group's role there throws LoginError.
std::optional<LoginUser> CheckCredentials(const LoginConfig& config, const QString& login, const QString& password);

struct FirstAdministrator {
  QString municipality;  // used only when the register is created
  QString login;
  QString fullName;
  QString password;
};
// The very first start, when no user is configured yet: creates the embedded register when its
// file does not exist (its folder too), adds the login to its users table and writes the
// configuration with the register's database and the user, rights "USER1". `registerPath`
// replaces the configured (or default) register path when given. Returns the configuration
// written. Throws LoginError or DbError; the configuration stays unchanged then.
LoginConfig CreateFirstAdministrator(const QString& configPath, const FirstAdministrator& admin,
                                     const QString& registerPath = QString());

struct NewLoginUser {
  QString login;
  QString fullName;
  QString rights;
  QString password;
};
// Adds a user: to the register's users table (the register must exist) and to the
// configuration, whose register entry becomes `database`. Throws LoginError or DbError.
void AddLoginUser(const QString& configPath, const LoginDatabase& database, const NewLoginUser& user);

// Removes the user from the configuration and its row from the register's users table, which
// stays when history records refer to it. Throws LoginError (unknown login) or DbError, in which
// case the configuration is unchanged.
RegisterUserRemoval RemoveLoginUser(const QString& configPath, const QString& login);

// Sets a new password without the old one (the administrator's command). Throws LoginError.
void SetLoginPassword(const QString& configPath, const QString& login, const QString& newPassword);

enum class PasswordChange { Changed, WrongPassword, UnknownUser };
// The user's own change: the old password must match. Throws LoginError for an unacceptable new
// password or a failed write.
PasswordChange ChangeLoginPassword(const QString& configPath, const QString& login, const QString& oldPassword,
                                   const QString& newPassword);
