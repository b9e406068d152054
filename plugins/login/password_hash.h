// Password hashes of the login library: argon2id strings from libsodium with its interactive
// limits. A password is checked against its hash and never stored or written anywhere.
#pragma once

#include <QString>

// Throws LoginError when the hash cannot be made (libsodium unavailable, out of memory).
QString HashPassword(const QString& password);
// False also for an empty or malformed hash.
bool VerifyPassword(const QString& passwordHash, const QString& password);
