// Stored yes/no codes (2 = yes, 1 = no) and truth flags (-1 = true, 0 = false).
// Readers take a NULL from the database as "no" / false.
#pragma once

#include <QString>
#include <QVariant>

inline constexpr int kYesCode = 2;
inline constexpr int kNoCode = 1;

// "Да" for 2, "Не" for any other code.
QString YesNoCodeText(int code);
QString YesNoCodeText(const QVariant& code);
// True exactly for 2.
bool YesNoCodeIsYes(int code);
bool YesNoCodeIsYes(const QVariant& code);
// 2 for true, 1 for false.
int YesNoCodeFromBool(bool value);

// -1 for true, 0 for false.
int TruthFlagFromBool(bool value);
// Any non-zero value is true; NULL (or a value that is not a number) is false.
bool TruthFlagIsTrue(const QVariant& flag);
