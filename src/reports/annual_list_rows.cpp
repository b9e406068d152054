// Register list rows for the report engine.
#include "reports/annual_list_rows.h"

#include "core/text_helpers.h"
#include "data/list_query.h"

int ListQueryRows::RowCount() const { return list_.IsOpen() ? list_.RowCount() : 0; }

QString ListQueryRows::Text(int row, const QString& field) const {
  const int index = list_.FieldIndex(field);
  if (index < 0) return {};
  return WithoutTrailingBlanks(list_.DisplayText(row, index));
}
