// The store: creating its table, adding and replacing persons in one transaction.
#include "population_store.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {
std::string Utf8(std::u16string_view text) {
  // The property names are ASCII.
  return std::string(text.begin(), text.end());
}

std::string ColumnList() {
  std::string columns;
  for (std::u16string_view name : kPersInfoProperties) {
    if (!columns.empty()) columns += ", ";
    columns += Utf8(name);
  }
  return columns;
}

// The store holds personal data: a new file is the owner's only whatever the umask allows (an
// empty file is a new database to SQLite, and its journals take the file's mode). A file that
// is there already keeps its mode.
void CreatePrivateFile(const std::string& path) {
  const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, S_IRUSR | S_IWUSR);
  if (descriptor < 0) {
    if (errno == EEXIST) return;
    throw PopulationError("Файлът на базата с население " + path + " не може да бъде създаден: " +
                          std::strerror(errno));
  }
  ::fchmod(descriptor, S_IRUSR | S_IWUSR);
  ::close(descriptor);
}

std::string CreateTableSql() {
  std::string sql = "create table if not exists PERSONS (EGN text primary key";
  for (std::u16string_view name : kPersInfoProperties) sql += ", " + Utf8(name) + " text";
  return sql + ") without rowid";
}
}  // namespace

std::string PopulationLookupSql() { return "select " + ColumnList() + " from PERSONS where EGN = ?"; }

PopulationWriter::PopulationWriter(const std::string& path) {
  CreatePrivateFile(path);
  if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK)
    Fail("Файлът на базата с население " + path + " не може да се отвори");
  sqlite3_busy_timeout(db_, 5000);
  // UTF-16 text lets the library hand out each value without converting it; it only takes
  // effect on a new file.
  Exec("pragma encoding = 'UTF-16le'");
  Exec(CreateTableSql().c_str());
  if (sqlite3_prepare_v2(db_, "select 1 from PERSONS where EGN = ?", -1, &exists_, nullptr) != SQLITE_OK)
    Fail("Таблицата PERSONS не може да се чете");
  std::string insert = "insert or replace into PERSONS (EGN, " + ColumnList() + ") values (?";
  for (int i = 0; i < kPersInfoPropertyCount; ++i) insert += ", ?";
  insert += ")";
  if (sqlite3_prepare_v2(db_, insert.c_str(), -1, &insert_, nullptr) != SQLITE_OK)
    Fail("Таблицата PERSONS не може да се пише (друга ли е структурата ѝ?)");
  Exec("begin");
  inTransaction_ = true;
}

PopulationWriter::~PopulationWriter() {
  if (inTransaction_) sqlite3_exec(db_, "rollback", nullptr, nullptr, nullptr);
  sqlite3_finalize(exists_);
  sqlite3_finalize(insert_);
  sqlite3_close(db_);
}

void PopulationWriter::Exec(const char* sql) {
  char* message = nullptr;
  if (sqlite3_exec(db_, sql, nullptr, nullptr, &message) != SQLITE_OK) {
    const std::string text = message ? message : "";
    sqlite3_free(message);
    Fail(text);
  }
}

void PopulationWriter::Fail(const std::string& what) {
  std::string message = what;
  if (db_ && sqlite3_errcode(db_) != SQLITE_OK) message += ": " + std::string(sqlite3_errmsg(db_));
  throw PopulationError(message);
}

bool PopulationWriter::Write(const PopulationRecord& record) {
  sqlite3_reset(exists_);
  sqlite3_bind_text(exists_, 1, record.egn.data(), static_cast<int>(record.egn.size()), SQLITE_TRANSIENT);
  const bool known = sqlite3_step(exists_) == SQLITE_ROW;
  sqlite3_reset(exists_);

  sqlite3_reset(insert_);
  sqlite3_bind_text(insert_, 1, record.egn.data(), static_cast<int>(record.egn.size()), SQLITE_TRANSIENT);
  for (int i = 0; i < kPersInfoPropertyCount; ++i) {
    const std::string& value = record.values[i];
    if (value.empty())
      sqlite3_bind_null(insert_, i + 2);
    else
      sqlite3_bind_text(insert_, i + 2, value.data(), static_cast<int>(value.size()), SQLITE_TRANSIENT);
  }
  if (sqlite3_step(insert_) != SQLITE_DONE) Fail("Лицето с ЕГН " + record.egn + " не е записано");
  sqlite3_reset(insert_);
  return !known;
}

void PopulationWriter::Commit() {
  Exec("commit");
  Exec("begin");
}
