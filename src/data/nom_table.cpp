#include "data/nom_table.h"

#include "data/firebird/database.h"
#include "data/firebird/db_error.h"
#include "data/firebird/statement.h"

NomTable::NomTable(Database& database) : database_(database) {}

NomTable::~NomTable() { database_.DefaultTransaction().Detach(this); }

void NomTable::Open() {
  Statement query(database_, QStringLiteral("select * from NOM order by N"));
  query.Open();
  columns_.clear();
  rows_.clear();
  for (const Column& c : query.ResultColumns()) columns_ << c.name.toUpper();
  const int nIndex = static_cast<int>(columns_.indexOf(QStringLiteral("N")));
  while (query.Next()) {
    std::vector<QVariant> row(columns_.size());
    for (int i = 0; i < columns_.size(); ++i) row[i] = query.Value(i);
    rows_[row[nIndex].toInt()] = std::move(row);
  }
  query.Close();
  open_ = true;
  database_.DefaultTransaction().Attach(this);
}

void NomTable::Close() {
  database_.DefaultTransaction().Detach(this);
  open_ = false;
  rows_.clear();
}

int NomTable::ColumnIndex(const QString& column) const {
  return static_cast<int>(columns_.indexOf(column.toUpper()));
}

QVariant NomTable::Cell(const QString& column, int code) const {
  if (!open_) throw DbError(QStringLiteral("Номенклатурата не е отворена."));
  const int index = ColumnIndex(column);
  if (index < 0) throw DbError(QStringLiteral("Номенклатурата няма колона %1.").arg(column));
  const auto it = rows_.find(code);
  if (it == rows_.end()) return {};
  return it->second[index];
}

QVariant NomTable::CellAt(int columnIndex, int code) const {
  if (columnIndex < 0) return {};
  const auto it = rows_.find(code);
  if (it == rows_.end()) return {};
  return it->second[columnIndex];
}

std::vector<int> NomTable::Codes() const {
  std::vector<int> codes;
  for (const auto& [n, row] : rows_) codes.push_back(n);
  return codes;
}
