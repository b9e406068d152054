// Text conversion between QString and the database's code page windows-1251.
// Text the code page cannot hold is refused with a DbError, never stored as '?'.
#pragma once

#include <QByteArray>
#include <QString>

QString DecodeCp1251(const char* bytes, qsizetype length);
inline QString DecodeCp1251(const QByteArray& bytes) { return DecodeCp1251(bytes.constData(), bytes.size()); }

// Throws DbError naming the first character that windows-1251 has no code for, or a NUL:
// a NUL would cut the text short wherever it travels as a C string.
QByteArray EncodeCp1251(const QString& text);

// True when every character of the text can be stored (has a windows-1251 code and is not NUL).
bool FitsCp1251(const QString& text);

// The first character the database cannot store, shown as `"x" (U+XXXX)` (a surrogate pair
// whole); empty when the whole text can be stored.
QString FirstUnstorableCharacter(const QString& text);
