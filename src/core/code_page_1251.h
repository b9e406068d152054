// The windows-1251 code page, in which the register stores its text and the login library and
// the delimited export speak. The table is the program's own, so the conversion needs no
// converter of the platform (Qt without ICU has none for this code page).
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

// The character of a byte. 0x98, which the code page leaves without a letter, is the control
// character U+0098 and back, as the converters the register was read and written with before.
char16_t Cp1251Character(unsigned char byte);

// The byte of a character, or nothing when the code page has none for it.
std::optional<char> Cp1251Byte(char16_t character);

QString FromCp1251(QByteArrayView bytes);

// Every character without a byte becomes `replacement` (a surrogate pair once): for text that
// leaves the program as it is, such as the delimited export. Storing text refuses such a
// character instead (data/firebird/cp1251.h).
QByteArray ToCp1251Replacing(const QString& text, char replacement = '?');
