// The rights groups as SQL roles of a register on a server: one role per group, each granted
// what the program lets the group do, so that the server refuses anything more to a clerk who
// opens the register with another tool.
#pragma once

#include <QString>
#include <QStringList>

class Database;

// The role of a rights group ("USER2" -> "TESARO_USER2"); empty for a text that is no group.
QString RegisterRoleOf(const QString& rightsGroup);
// The rights group a role stands for ("TESARO_USER2" -> "USER2", any case); empty for any other role.
QString RightsGroupOfRole(const QString& role);
// Every role, highest rights first.
QStringList RegisterRoles();

// Creates the roles with their grants on an attached register where they are missing, and
// renews every grant (a grant given twice is harmless). Commits. Needs the register's owner or
// an administrator. Throws DbError.
void CreateRegisterRoles(Database& database);
