// Description of one column of a result (or one parameter), and the decoding of its value
// from a Firebird message buffer into a QVariant.
#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>
#include <functional>
#include <vector>

struct Column {
  QString name;      // the column's alias as the statement gives it (upper case unless quoted)
  QString field;     // the underlying field name
  QString relation;  // the table, empty for expressions
  unsigned type = 0;  // fbapi::SqlType
  int subType = 0;
  unsigned length = 0;
  int scale = 0;
  unsigned charSet = 0;
  unsigned offset = 0;
  unsigned nullOffset = 0;
};
using Columns = std::vector<Column>;

// Blob id as the server gives it (ISC_QUAD), kept opaque.
struct BlobId {
  quint32 high = 0;
  quint32 low = 0;
};
Q_DECLARE_METATYPE(BlobId)

// Reads a text blob by id; supplied by the statement that fetched it.
using BlobReader = std::function<QString(const BlobId&)>;

// Decodes one field of a message. Text comes back as stored (CHAR blank-padded);
// dialect-1 dates as QDateTime; integers as int or qlonglong, scaled numbers as double;
// blobs as their text when a reader is given, else as BlobId.
QVariant DecodeField(const Column& column, const unsigned char* message, const BlobReader& readBlob);

// Decodes a value that is not NULL and starts at p, laid out as in a message.
QVariant DecodeValueAt(const Column& column, const unsigned char* p, const BlobReader& readBlob);

// Bytes a value of this column takes in a message (a VARCHAR's length word included).
unsigned ValueSize(const Column& column);

// Firebird's day and time counts <-> Qt.
QDateTime TimestampToQDateTime(int iscDate, unsigned iscTime);
void QDateTimeToTimestamp(const QDateTime& value, int* iscDate, unsigned* iscTime);
