// What an export writes, without any window: the chosen columns, the rows as a function that
// gives a row's cell texts, an optional totals row, the document's title, footer and page
// options; and the one error type of the file writers.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <stdexcept>
#include <vector>

#include "core/app_error.h"

struct ExportColumnSpec {
  QString caption;
  bool floating = false;  // a floating-point column: right-aligned in the documents
};

struct ExportTable {
  std::vector<ExportColumnSpec> columns;
  int rowCount = 0;
  // Fills `cells` with the texts of row `row` (0-based), one per column.
  std::function<void(int row, QStringList& cells)> cells;
  QStringList totals;  // one per column; empty when there is no totals row
};

struct ExportLayout {
  QStringList title;   // title lines
  QString footer;      // empty: no footer
  bool landscape = true;
  int fontSize = 0;    // points; 0: the document's default
};

// Called after each row is written with the number of rows written so far.
using ExportProgress = std::function<void(int rowsDone)>;

// A file that could not be written; the text says which and why.
class ExportError : public AppError {
 public:
  using AppError::AppError;
};
