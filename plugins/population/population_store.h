// The reference population library's store: an SQLite file with one row per person (the
// personal number and the 29 properties as text), written by tesaro-admin (a CSV extract or
// the seed command) and read by the library. Standard C++ only, so the library stays light.
#pragma once

#include <array>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "pers_info_properties.h"

struct sqlite3;
struct sqlite3_stmt;

// A failure of the store, with a message in UTF-8 for the administrator.
class PopulationError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One person: the personal number and the property texts (UTF-8) in property order.
struct PopulationRecord {
  std::string egn;
  std::array<std::string, kPersInfoPropertyCount> values;
};

// "select <the 29 properties> from PERSONS where EGN = ?", the library's one look-up.
std::string PopulationLookupSql();
// How a reading connection opens the store: read-only, used by one thread at a time (as a
// person object is), the file mapped into memory rather than read page by page.
inline constexpr int kPopulationReadOpenFlags = 0x00000001 /* SQLITE_OPEN_READONLY */ | 0x00008000 /* NOMUTEX */;
inline constexpr const char* kPopulationReadSettingsSql = "pragma mmap_size = 1073741824";

// Adds persons to a store file, creating the file and its table when missing; a person
// whose personal number is already there is replaced. Everything written goes in with Commit;
// what was not committed is dropped when the writer ends.
class PopulationWriter {
 public:
  explicit PopulationWriter(const std::string& path);  // PopulationError when it cannot open
  ~PopulationWriter();
  PopulationWriter(const PopulationWriter&) = delete;
  PopulationWriter& operator=(const PopulationWriter&) = delete;

  // True when the personal number was new, false when it replaced a person.
  bool Write(const PopulationRecord& record);
  void Commit();

 private:
  void Exec(const char* sql);
  [[noreturn]] void Fail(const std::string& what);

  sqlite3* db_ = nullptr;
  sqlite3_stmt* exists_ = nullptr;
  sqlite3_stmt* insert_ = nullptr;
  bool inTransaction_ = false;
};

struct CsvImportSummary {
  int persons = 0;       // rows written
  int replaced = 0;      // of them, personal numbers already in the store (the later row wins)
  int withoutEgn = 0;    // rows skipped for an empty personal number
  int oddDates = 0;      // date cells that are not 8 digits (stored as given; read as no date)
  std::vector<std::string> missingColumns;  // properties the header lacks (stored empty)
};

// Loads a CSV extract into the store: UTF-8 (a byte-order mark is skipped), a header row naming
// "EGN" and the properties, separated by commas or by semicolons (whichever the header uses),
// fields in double quotes when they hold a separator, a quote or a line break. Unknown header
// names, a row with a different number of fields or text that is not UTF-8 stop the import
// with a message naming the line; nothing is written then. `progress` gets the rows read so far.
CsvImportSummary ImportPopulationCsv(const std::string& csvPath, const std::string& storePath,
                                     const std::function<void(int rows)>& progress = {});
