// Text conversion between QString and the database's code page windows-1251.
// The table is built once from Qt's windows-1251 converter; text the code page cannot
// hold is refused with a DbError, never stored as '?'.
#pragma once

#include <QByteArray>
#include <QString>

QString DecodeCp1251(const char* bytes, qsizetype length);
inline QString DecodeCp1251(const QByteArray& bytes) { return DecodeCp1251(bytes.constData(), bytes.size()); }

// Throws DbError naming the first character that windows-1251 has no code for.
QByteArray EncodeCp1251(const QString& text);

// True when every character of the text has a windows-1251 code.
bool FitsCp1251(const QString& text);
