// Fetched rows kept compactly in one block of memory: CHAR texts without their trailing
// blanks (given back padded), VARCHARs by their length, numbers and blob ids as they came.
// Lets a list hold a whole register without one object per field. A row put in again or
// inserted is packed at the end of the block and its row points there: nothing else moves, so
// one card's change costs the same in a register of any size (the old bytes stay until Clear).
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
  // The row at `row` becomes the message's row; the rows after it keep their places.
  void Replace(int row, const unsigned char* message);
  // Inserts the message's row before `row` (RowCount() appends); later rows move down one.
  void Insert(int row, const unsigned char* message);
  // Removes the row; later rows move up one.
  void Remove(int row);

  int RowCount() const { return static_cast<int>(rowStart_.size()); }
  const Columns& ColumnList() const { return columns_; }
  bool IsNull(int row, int column) const;
  // As DecodeField: CHAR blank-padded, blobs as BlobId.
  QVariant Value(int row, int column) const;
  size_t MemoryBytes() const { return arena_.capacity() + rowStart_.capacity() * sizeof(size_t); }

 private:
  const unsigned char* Locate(int row, int column) const;
  // Packs the message's row at the end of the block; returns where it starts.
  size_t Pack(const unsigned char* message);

  Columns columns_;
  std::vector<unsigned char> arena_;
  std::vector<size_t> rowStart_;
};
