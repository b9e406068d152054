// Where an export takes its rows: the columns a grid offers and the text each cell shows.
// The register list implements it over the list query; tests give their own.
#pragma once

#include <QString>
#include <vector>

struct ExportSourceColumn {
  QString caption;
  QString field;
  bool colouredApart = false;  // painted in a colour of its own: offered unticked
  bool floating = false;       // a floating-point field
};

class ExportSource {
 public:
  virtual ~ExportSource() = default;
  // The columns offered, in display order (hidden grid columns are not offered).
  virtual std::vector<ExportSourceColumn> Columns() const = 0;
  virtual int RowCount() const = 0;
  // The text the grid shows in that cell; `column` counts in Columns().
  virtual QString CellText(int row, int column) const = 0;
  // Where the walk leaves the data set when it is done.
  virtual void SetCurrentRow(int row) = 0;
  // Names for the saved views' key: the grid, the control holding it and its window.
  virtual QString GridName() const = 0;
  virtual QString ParentName() const = 0;
  virtual QString OwnerName() const = 0;
};
