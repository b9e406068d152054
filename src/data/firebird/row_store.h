// Fetched rows kept compactly in one block of memory: CHAR texts without their trailing
// blanks (given back padded), VARCHARs by their length, numbers and blob ids as they came.
// Lets a list hold a whole register without one object per field.
#pragma once

#include <QVariant>
#include <vector>

#include "data/firebird/column.h"

class RowStore {
 public:
  void Reset(const Columns& columns);
  void Clear();
  void Reserve(size_t rows);

  // Appends the row held in a message laid out as the columns say.
  void Append(const unsigned char* message);

  int RowCount() const { return static_cast<int>(rowStart_.size()); }
  const Columns& ColumnList() const { return columns_; }
  bool IsNull(int row, int column) const;
  // As DecodeField: CHAR blank-padded, blobs as BlobId.
  QVariant Value(int row, int column) const;
  size_t MemoryBytes() const { return arena_.capacity() + rowStart_.capacity() * sizeof(size_t); }

 private:
  const unsigned char* Locate(int row, int column) const;

  Columns columns_;
  std::vector<unsigned char> arena_;
  std::vector<size_t> rowStart_;
};
