// The register list as an export source: the register grid's columns over the list query,
// each cell the text the grid shows.
#pragma once

#include <vector>

#include "reports/export_source.h"

class ListQuery;

// The register grid's columns in `logicalOrder` (grid column numbers; empty: the grid's own
// order), without those `hidden` says are hidden (empty: the grid's default hidden columns).
// The row-number column is painted on a ground of its own, so it is offered unticked.
std::vector<ExportSourceColumn> RegisterExportColumns(const std::vector<int>& logicalOrder = {},
                                                      const std::vector<bool>& hidden = {});

class ListExportSource : public ExportSource {
 public:
  // `columns` name the list's fields; a column whose field's values are floating-point
  // numbers is marked so.
  ListExportSource(ListQuery& list, std::vector<ExportSourceColumn> columns);

  std::vector<ExportSourceColumn> Columns() const override { return columns_; }
  int RowCount() const override;
  QString CellText(int row, int column) const override;
  void SetCurrentRow(int row) override;
  QString GridName() const override { return QStringLiteral("FamilyGrid"); }
  QString ParentName() const override { return QStringLiteral("GroupBox1"); }
  QString OwnerName() const override { return QStringLiteral("MainForm"); }

 private:
  ListQuery& list_;
  std::vector<ExportSourceColumn> columns_;
  std::vector<int> fields_;
};
