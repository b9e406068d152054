// Loading a population extract (CSV) into the reference library's store. The whole extract is
// read and checked before the store is touched, so a refused extract writes nothing, not even
// a new store file.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "population_store.h"

struct CsvImportSummary {
  int persons = 0;       // rows written
  int replaced = 0;      // of them, personal numbers already in the store (the later row wins)
  int withoutEgn = 0;    // rows skipped for an empty personal number
  int oddDates = 0;      // date cells that are not 8 digits (stored as given; read as no date)
  std::vector<std::string> missingColumns;  // properties the header lacks (stored empty)
};

// Loads a CSV extract into the store: UTF-8 (a byte-order mark is skipped), a header row naming
// "EGN" and the properties once each, separated by commas or by semicolons (whichever the
// header uses), fields in double quotes when they hold a separator, a quote or a line break
// (blanks around a quoted field are dropped). The import stops with a PopulationError naming
// the line, and the column where there is one, and writes nothing, for: a header naming an
// unknown column or one column twice; a row with a different number of fields; a value that
// is not well-formed UTF-8 (an encoded surrogate or an overlong form included) or holds a NUL
// byte; a quote inside a value that does not start with one, text after a closing quote, or a
// quote left open. `progress` gets the rows written so far.
CsvImportSummary ImportPopulationCsv(const std::string& csvPath, const std::string& storePath,
                                     const std::function<void(int rows)>& progress = {});
