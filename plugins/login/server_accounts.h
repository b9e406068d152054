// The clerks' own accounts on a Firebird server: each clerk signs in to a register on a server
// with an account of the server (SRP), which holds the role of their rights group in that
// register (data/schema/register_roles.h). Managed by the administrator's account; checked at
// sign-in with the clerk's own name and password.
#pragma once

#include <QList>
#include <QString>
#include <optional>

#include "data/firebird/database.h"

// A server account's name: a Latin letter, then Latin letters, digits or "_", at most 31
// (the server's longest name); kept in small letters, as the register's users table knows it.
// A Bulgarian reason, or an empty text.
QString ServerLoginProblem(const QString& login);
// A server account's new password: as any new password, and only in Latin letters, digits and
// signs, since the server's client reads a password in the workstation's locale, not the
// register's code page. A Bulgarian reason, or an empty text.
QString ServerPasswordProblem(const QString& password);
// The name as the server and the register's users table keep it (small letters).
QString ServerLoginName(const QString& login);

struct ServerAccount {
  QString login;
  QString rights;  // the rights group of the role the account holds in the register
};

// The administrator's operations, on a register attached with SYSDBA or a user-admin account.
// Each commits; a failure throws DbError (the server's refusal in Bulgarian where it is one)
// or LoginError.
void CreateServerAccount(Database& admin, const QString& login, const QString& password, const QString& rights);
void SetServerAccountPassword(Database& admin, const QString& login, const QString& password);
// Gives the account the role of `rights` in the register, taking any other group's role away.
void GrantRightsGroup(Database& admin, const QString& login, const QString& rights);
// Takes the account's roles in the register away and drops the account.
void DropServerAccount(Database& admin, const QString& login);
bool ServerAccountExists(Database& admin, const QString& login);
// The accounts that hold a rights group's role in the register, by name.
QList<ServerAccount> RegisterServerAccounts(Database& admin);

// The rights group of the role the attached account holds in the register (the highest when it
// holds several), or empty when it holds none.
QString GrantedRightsGroup(Database& attached);

// The clerk's own change of password, signed in with the old one. False when the server refused
// the old one. Throws LoginError for an unacceptable new password, DbError for the server.
bool ChangeOwnServerPassword(const QString& registerPath, const QString& login, const QString& oldPassword,
                             const QString& newPassword);

enum class ServerSignIn { Accepted, Refused };
// Checks a clerk's name and password by attaching to the register with them; on success the
// rights group comes from the role the account holds. `rights` is left empty when the account
// holds no group's role. Throws DbError when the server cannot be reached.
ServerSignIn CheckServerCredentials(const QString& registerPath, const QString& login, const QString& password,
                                    QString* rights);
