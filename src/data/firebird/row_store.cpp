#include "data/firebird/row_store.h"

#include <cstring>
#include <stdexcept>

#include "data/firebird/cp1251.h"
#include "data/firebird/fb_api.h"

// Layout of one packed field: a null byte; when not null, for CHAR and VARCHAR a 16-bit
// length and the bytes, for everything else the value's bytes as in the message.

void RowStore::Reset(const Columns& columns) {
  columns_ = columns;
  Clear();
}

void RowStore::Clear() {
  arena_.clear();
  arena_.shrink_to_fit();
  rowStart_.clear();
  rowStart_.shrink_to_fit();
}

void RowStore::Reserve(size_t rows) { rowStart_.reserve(rows); }

void RowStore::Append(const unsigned char* message) { rowStart_.push_back(Pack(message)); }

void RowStore::Replace(int row, const unsigned char* message) { rowStart_.at(row) = Pack(message); }

void RowStore::Insert(int row, const unsigned char* message) {
  if (row < 0 || row > RowCount()) throw std::out_of_range("RowStore::Insert");
  const size_t start = Pack(message);
  rowStart_.insert(rowStart_.begin() + row, start);
}

void RowStore::Remove(int row) {
  if (row < 0 || row >= RowCount()) throw std::out_of_range("RowStore::Remove");
  rowStart_.erase(rowStart_.begin() + row);
}

size_t RowStore::Pack(const unsigned char* message) {
  const size_t start = arena_.size();
  for (const Column& c : columns_) {
    short nullFlag;
    std::memcpy(&nullFlag, message + c.nullOffset, sizeof nullFlag);
    if (nullFlag) {
      arena_.push_back(1);
      continue;
    }
    arena_.push_back(0);
    const unsigned char* p = message + c.offset;
    const unsigned char* bytes = p;
    quint16 length = 0;
    if (c.type == fbapi::kText) {
      length = static_cast<quint16>(c.length);
      while (length > 0 && p[length - 1] == ' ') --length;
    } else if (c.type == fbapi::kVarying) {
      std::memcpy(&length, p, sizeof length);
      bytes = p + 2;
    } else {
      arena_.insert(arena_.end(), p, p + c.length);
      continue;
    }
    const unsigned char* l = reinterpret_cast<const unsigned char*>(&length);
    arena_.insert(arena_.end(), l, l + 2);
    arena_.insert(arena_.end(), bytes, bytes + length);
  }
  return start;
}

const unsigned char* RowStore::Locate(int row, int column) const {
  const unsigned char* p = arena_.data() + rowStart_.at(row);
  for (int i = 0; i < column; ++i) {
    const Column& c = columns_[i];
    if (*p++) continue;  // null: nothing follows
    if (c.type == fbapi::kText || c.type == fbapi::kVarying) {
      quint16 length;
      std::memcpy(&length, p, sizeof length);
      p += 2 + length;
    } else {
      p += c.length;
    }
  }
  return p;
}

bool RowStore::IsNull(int row, int column) const { return *Locate(row, column) != 0; }

QVariant RowStore::Value(int row, int column) const {
  const unsigned char* p = Locate(row, column);
  if (*p++) return {};
  const Column& c = columns_.at(column);
  if (c.type == fbapi::kText || c.type == fbapi::kVarying) {
    quint16 length;
    std::memcpy(&length, p, sizeof length);
    QString text = DecodeCp1251(reinterpret_cast<const char*>(p + 2), length);
    if (c.type == fbapi::kText && text.size() < static_cast<qsizetype>(c.length))
      text.append(QString(static_cast<qsizetype>(c.length) - text.size(), QLatin1Char(' ')));
    return text;
  }
  return DecodeValueAt(c, p, {});
}
