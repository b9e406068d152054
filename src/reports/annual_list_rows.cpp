// Register list rows for the report engine.
#include "reports/annual_list_rows.h"

#include "core/text_helpers.h"
#include "data/list_query.h"

int ListQueryRows::RowCount() const { return list_.IsOpen() ? list_.RowCount() : 0; }

QString ListQueryRows::Text(int row, const QString& field) const {
  auto known = fieldIndex_.constFind(field);
  if (known == fieldIndex_.constEnd()) known = fieldIndex_.insert(field, list_.FieldIndex(field));
  const int index = *known;
  if (index < 0) return {};
  return WithoutTrailingBlanks(list_.DisplayText(row, index));
}
