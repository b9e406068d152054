// The register list as an export source.
#include "reports/export_list_source.h"

#include "core/text_helpers.h"
#include "data/list_query.h"
#include "register/register_grid_model.h"

std::vector<ExportSourceColumn> RegisterExportColumns(const std::vector<int>& logicalOrder,
                                                      const std::vector<bool>& hidden) {
  const std::vector<GridColumn>& grid = RegisterGridColumns();
  std::vector<int> order = logicalOrder;
  if (order.empty())
    for (int c = 0; c < static_cast<int>(grid.size()); ++c) order.push_back(c);
  std::vector<ExportSourceColumn> columns;
  for (int c : order) {
    if (c < 0 || c >= static_cast<int>(grid.size())) continue;
    const bool isHidden = hidden.empty() ? grid[c].hidden : hidden.at(c);
    if (isHidden) continue;
    columns.push_back({grid[c].title, grid[c].field, grid[c].field == QLatin1String("CARD_ID"), false});
  }
  return columns;
}

ListExportSource::ListExportSource(ListQuery& list, std::vector<ExportSourceColumn> columns)
    : list_(list), columns_(std::move(columns)) {
  for (ExportSourceColumn& c : columns_) {
    const int field = list_.FieldIndex(c.field);
    fields_.push_back(field);
    // The list keeps no field types apart from its values: the first value found tells.
    if (field < 0 || !list_.IsOpen()) continue;
    for (int row = 0; row < std::min(list_.RowCount(), 200); ++row) {
      const QVariant value = list_.Value(row, field);
      if (value.isNull()) continue;
      c.floating = value.typeId() == QMetaType::Double;
      break;
    }
  }
}

int ListExportSource::RowCount() const { return list_.IsOpen() ? list_.RowCount() : 0; }

QString ListExportSource::CellText(int row, int column) const {
  const int field = fields_.at(column);
  if (field < 0) return {};
  return WithoutTrailingBlanks(list_.DisplayText(row, field));  // CHAR columns come blank-padded, as the grid shows them
}

void ListExportSource::SetCurrentRow(int row) { list_.SetCurrentRow(row); }
