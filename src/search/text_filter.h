// Filtering what is typed into a number field: only the allowed characters stay, and the
// cursor stays where the user was typing.
#pragma once

#include <QString>

struct FilteredText {
  QString text;
  int cursor = 0;
};

enum class AllowedChars { Digits, DigitsAndPoint };

// The text without the characters that are not allowed; the cursor moves left by the number
// of characters dropped before it.
FilteredText KeepAllowedChars(const QString& text, int cursor, AllowedChars allowed);
