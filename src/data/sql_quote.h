// The one quoting function for SQL text that is kept or shown (the register list's condition,
// the action history record): text literals with doubled apostrophes, checked numbers, dates.
#pragma once

#include <QDate>
#include <QString>
#include <optional>

// 'text' with every apostrophe doubled.
QString QuoteSqlText(const QString& text);
// 'dd.mm.yyyy'
QString QuoteSqlDate(const QDate& date);
// The text as an integer literal when it is one (optional sign, digits), else nothing.
std::optional<QString> SqlIntegerLiteral(const QString& text);
// The text as a decimal literal ("." as separator) when it is one, else nothing.
std::optional<QString> SqlDecimalLiteral(const QString& text);
