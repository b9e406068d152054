// Rows held in memory.
#include "engine/report/row_source.h"

namespace report {

QString TableRows::Text(int row, const QString& field) const {
  const qsizetype column = fields_.indexOf(field);
  if (column < 0 || row < 0 || row >= RowCount()) return {};
  return rows_[static_cast<size_t>(row)].value(column);
}

}  // namespace report
