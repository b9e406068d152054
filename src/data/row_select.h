// A select list over one table's columns and the reader that turns a fetched row of it into
// the table's row struct. Each table home gives the cells it knows: a column name and how its
// cell is read into the struct. Columns are read at the positions the list gave them, so a
// caller never counts columns itself.
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <initializer_list>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "data/firebird/statement.h"

namespace row_cells {
inline std::optional<int> Int(const Statement& row, int column) {
  if (row.IsNull(column)) return std::nullopt;
  return row.Value(column).toInt();
}
inline std::optional<double> Double(const Statement& row, int column) {
  if (row.IsNull(column)) return std::nullopt;
  return row.Value(column).toDouble();
}
// Text as stored: a CHAR cell keeps the blanks that pad it to the column's width.
inline std::optional<QString> Text(const Statement& row, int column) {
  if (row.IsNull(column)) return std::nullopt;
  return row.Value(column).toString();
}
// A DATE cell with the time of day a register of dialect 1 keeps in it.
inline std::optional<QDateTime> Date(const Statement& row, int column) {
  if (row.IsNull(column)) return std::nullopt;
  const QVariant value = row.Value(column);
  if (value.typeId() == QMetaType::QDate) return value.toDate().startOfDay();
  return value.toDateTime();
}
}  // namespace row_cells

template <class Row>
class RowSelect {
 public:
  struct Cell {
    QLatin1StringView column;
    void (*read)(const Statement& row, int column, Row& into);
  };

  // `columns` in this order, each written as `alias`.COLUMN when an alias is given. A name the
  // table does not have is a programming error and throws.
  RowSelect(const std::vector<Cell>& cells, std::initializer_list<QLatin1StringView> columns,
            QLatin1StringView alias = {}) {
    for (QLatin1StringView column : columns) Add(cells, column, alias);
  }
  // Every cell of the table, in the table's order.
  explicit RowSelect(const std::vector<Cell>& cells, QLatin1StringView alias = {}) {
    for (const Cell& cell : cells) Add(cells, cell.column, alias);
  }

  // "A, B, C" (or "X.A, X.B, X.C"), for a statement's select list.
  QString List() const { return names_.join(QStringLiteral(", ")); }
  int Count() const { return static_cast<int>(readers_.size()); }
  // The position of `column` in the list, -1 when it is not listed.
  int IndexOf(QLatin1StringView column) const {
    for (int i = 0; i < Count(); ++i)
      if (columns_[static_cast<size_t>(i)] == column) return i;
    return -1;
  }

  // Reads the current row's cells at positions first .. first + Count() - 1; every column
  // the list does not name stays empty.
  Row Read(const Statement& row, int first = 0) const {
    Row into;
    for (int i = 0; i < Count(); ++i) readers_[static_cast<size_t>(i)](row, first + i, into);
    return into;
  }

 private:
  void Add(const std::vector<Cell>& cells, QLatin1StringView column, QLatin1StringView alias) {
    for (const Cell& cell : cells) {
      if (cell.column != column) continue;
      columns_.push_back(column);
      names_ << (alias.isEmpty() ? QString(column) : QString(alias) + u'.' + column);
      readers_.push_back(cell.read);
      return;
    }
    throw std::logic_error("unknown column " + std::string(column.data(), static_cast<size_t>(column.size())));
  }

  std::vector<QLatin1StringView> columns_;
  QStringList names_;
  std::vector<void (*)(const Statement&, int, Row&)> readers_;
};
