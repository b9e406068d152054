// Small text helpers shared across the program: digit test, blank collapsing, trailing-blank
// trimming and reading a date (optionally with a time of day) typed as text.
#pragma once

#include <QString>

#include "core/date_time.h"

// True when every character is an ASCII digit "0" to "9"; true for the empty text.
bool IsAllDigits(const QString& text);

// Every run of one or more blanks (code 32) becomes a single blank. Nothing is trimmed,
// and tabs and other white space are kept as they are.
QString CollapseSpaces(const QString& text);

// The text without its trailing blanks (code 32): CHAR cells come blank-padded to their width.
// Leading blanks, tabs and other white space are kept.
QString WithoutTrailingBlanks(QString text);

// Reads "d.M.yyyy" (or "M/d/yyyy" when the date contains "/"), optionally followed by a
// blank and a time of day such as "h:mm" or "hh:mm:ss". Leading zeros are optional.
// Returns zero when the date cannot be read; an unreadable time is ignored.
DateTimeValue ParseDateText(const QString& text);
