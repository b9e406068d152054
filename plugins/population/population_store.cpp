#include "population_store.h"

#include <sqlite3.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "population_csv.h"

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

std::string CreateTableSql() {
  std::string sql = "create table if not exists PERSONS (EGN text primary key";
  for (std::u16string_view name : kPersInfoProperties) sql += ", " + Utf8(name) + " text";
  return sql + ") without rowid";
}
}  // namespace

std::string PopulationLookupSql() { return "select " + ColumnList() + " from PERSONS where EGN = ?"; }

PopulationWriter::PopulationWriter(const std::string& path) {
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

namespace {
std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool IsDateProperty(int index) {
  const std::u16string_view name = kPersInfoProperties[index];
  return name.size() >= 4 && name.substr(name.size() - 4) == u"Date";
}

bool IsEightDigits(const std::string& text) {
  if (text.size() != 8) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}
}  // namespace

CsvImportSummary ImportPopulationCsv(const std::string& csvPath, const std::string& storePath,
                                     const std::function<void(int rows)>& progress) {
  std::ifstream file(csvPath, std::ios::binary);
  if (!file) throw PopulationError("Файлът " + csvPath + " не може да се прочете");
  std::string text =
      PopulationCsvText(std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>()));
  if (text.empty()) throw PopulationError("Файлът " + csvPath + " е празен");

  const char separator = PopulationCsvSeparator(text);
  PopulationCsvReader reader(std::move(text), separator);

  // Column of the file for the key and each property; -1 when the file lacks it.
  const std::vector<std::string> header = reader.Next();
  int egnColumn = -1;
  std::array<int, kPersInfoPropertyCount> columnOf;
  columnOf.fill(-1);
  for (size_t c = 0; c < header.size(); ++c) {
    const std::string name = Trimmed(header[c]);
    bool known = false;
    if (name == Utf8(kPersInfoKeyColumn)) {
      egnColumn = static_cast<int>(c);
      known = true;
    }
    for (int p = 0; p < kPersInfoPropertyCount && !known; ++p)
      if (name == Utf8(kPersInfoProperties[p])) {
        if (columnOf[p] >= 0) throw PopulationError("Колоната " + name + " е два пъти в заглавния ред");
        columnOf[p] = static_cast<int>(c);
        known = true;
      }
    if (!known) throw PopulationError("Непозната колона в заглавния ред: \"" + name + "\"");
  }
  if (egnColumn < 0) throw PopulationError("Заглавният ред няма колона EGN");

  CsvImportSummary summary;
  for (int p = 0; p < kPersInfoPropertyCount; ++p)
    if (columnOf[p] < 0) summary.missingColumns.push_back(Utf8(kPersInfoProperties[p]));

  PopulationWriter writer(storePath);
  int rows = 0;
  while (!reader.AtEnd()) {
    const std::vector<std::string> fields = reader.Next();
    if (fields.size() == 1 && Trimmed(fields[0]).empty()) continue;  // blank line
    if (fields.size() != header.size())
      throw PopulationError("Ред " + std::to_string(reader.Line()) + ": " + std::to_string(fields.size()) +
                            " полета вместо " + std::to_string(header.size()));
    ++rows;
    PopulationRecord record;
    // The personal number is kept as written: the program looks it up exactly as typed.
    record.egn = fields[egnColumn];
    if (Trimmed(record.egn).empty()) {
      ++summary.withoutEgn;
      continue;
    }
    for (int p = 0; p < kPersInfoPropertyCount; ++p) {
      if (columnOf[p] < 0) continue;
      record.values[p] = fields[columnOf[p]];
      if (IsDateProperty(p) && !record.values[p].empty() && !IsEightDigits(record.values[p])) ++summary.oddDates;
    }
    if (!writer.Write(record)) ++summary.replaced;
    ++summary.persons;
    if (progress && rows % 10000 == 0) progress(rows);
  }
  writer.Commit();
  if (progress) progress(rows);
  return summary;
}
