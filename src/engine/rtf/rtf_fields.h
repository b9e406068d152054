// Named fields in an RTF document: found in the document's visible text, even when an editor
// split one across groups or control words, and replaced by values.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <stdexcept>

#include "core/app_error.h"

// A template that is not RTF, or a value that cannot be used; the text says what.
class RtfError : public AppError {
 public:
  using AppError::AppError;
};

// True for a field name the template syntax allows: letters, digits and "_", not empty.
bool IsRtfFieldName(const QString& name);

// The names of the fields of the document's visible text, in order of appearance (a name
// that appears twice is listed twice). Text of hidden destinations (font table, styles,
// document information, pictures, "\*" groups) is not searched.
QStringList FindRtfFields(const QByteArray& rtf);

// The document with every field whose name has a value replaced by that value, escaped for
// RTF and wrapped in a group of its own, so it takes the formatting of the field's first
// character and cannot change anything around it. Fields without a value stay as they are.
// Throws RtfError when the document is not RTF or its groups do not balance.
QByteArray FillRtfFields(const QByteArray& rtf, const QHash<QString, QString>& values);

// The document's visible text: \uN and 8-bit characters (read in the Cyrillic code page)
// decoded, paragraph, line and cell breaks as line feeds, tabs as tabs. Throws RtfError.
QString RtfPlainText(const QByteArray& rtf);

// Whether the text is a complete RTF document: it starts with "{\rtf" and its groups balance,
// closing with the first group.
bool IsBalancedRtf(const QByteArray& rtf);
