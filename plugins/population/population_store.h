// The reference population library's store: an SQLite file with one row per person (the
// personal number and the 29 properties as text), written by tesaro-admin (a CSV extract,
// population_csv.h, or the seed command) and read by the library. Standard C++ only, so the
// library stays light.
#pragma once

#include <array>
#include <stdexcept>
#include <string>

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
