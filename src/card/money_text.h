// Reading an amount of money as a clerk types it; the checks before a save and the save
// itself read incomes the same way.
#pragma once

#include <QLocale>
#include <QString>
#include <optional>

// An amount of money as the user typed it: an optional sign, digits and at most one decimal
// separator of `locale` followed by at most four digits; blanks around it are allowed. No value
// for anything else (an empty text, letters, two separators, a group separator, five decimals).
std::optional<double> ReadCurrency(const QString& text, const QLocale& locale = QLocale());
