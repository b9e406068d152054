// How the reference login library fills the login record and the two lists it reports (layout
// in vlm_login_abi.h): the register's connection, the user's login as both name and login, the
// rights group; the users list with every configured user, the rights list with one element.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include "login_config.h"

// Writes a code page 1251 short string into `space` bytes at `at`, cut to fit.
void WriteShortString(unsigned char* at, int space, const QByteArray& cp1251);

// Fills the record for an accepted user. Values the program relies on (database path and
// credentials, login, rights group) must fit their fields whole: LoginError otherwise, with the
// record left untouched. `text251` (the configuration file's path) is left empty when too long.
void FillLoginRecord(unsigned char* record, const LoginDatabase& database, const LoginUser& user, int usersCount,
                     const QString& text251);

// The rights list always has this many elements: the signed-in user's rights group.
inline constexpr int kRightsListLength = 1;

// Writes one 108-byte element per user: login, full name (cut), rights group.
void FillUsersList(unsigned char* elements, const QList<LoginUser>& users);
// Writes the one 255-byte element: the rights group as a short string.
void FillRightsList(unsigned char* elements, const QString& rightsGroup);
