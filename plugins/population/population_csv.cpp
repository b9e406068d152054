// Reading and checking a population extract, then writing its persons in a second pass.
#include "population_csv.h"

#include <array>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace {
std::string Utf8(std::u16string_view text) {
  // The property names are ASCII.
  return std::string(text.begin(), text.end());
}

// Where the extract breaks its rules: the line, the column (from 1) and why.
struct CsvProblem {
  int line;
  int column;
  std::string reason;
};

// A field as read, with the line it starts on.
struct CsvField {
  std::string text;
  int line = 0;
};

// Reads CSV records one at a time, keeping the line each field starts on.
class CsvReader {
 public:
  CsvReader(const std::string& text, char separator) : text_(text), separator_(separator) {}

  bool AtEnd() const { return pos_ >= text_.size(); }
  int Line() const { return recordLine_; }

  // The next record's fields; CsvProblem when its quotes break the rules.
  std::vector<CsvField> Next() {
    recordLine_ = line_;
    std::vector<CsvField> fields;
    for (;;) {
      fields.push_back({std::string(), line_});
      const int column = static_cast<int>(fields.size());
      const bool recordEnded =
          QuoteAhead() ? ReadQuoted(fields.back().text, column) : ReadPlain(fields.back().text, column);
      if (recordEnded) return fields;
    }
  }

 private:
  static bool Blank(char c) { return c == ' ' || c == '\t'; }

  // True when the field starts with a quote, blanks before it aside; the reader is then past it.
  bool QuoteAhead() {
    size_t at = pos_;
    while (at < text_.size() && Blank(text_[at])) ++at;
    if (at >= text_.size() || text_[at] != '"') return false;
    pos_ = at + 1;
    return true;
  }

  // A field without quotes, up to its separator or the line's end. True when the record ended.
  bool ReadPlain(std::string& out, int column) {
    while (pos_ < text_.size()) {
      const char c = text_[pos_++];
      if (c == separator_) return false;
      if (c == '\n') {
        ++line_;
        return true;
      }
      // Line ends "\r\n" and "\n" read alike; a carriage return anywhere else is part of the
      // value, never dropped (dropping it could join two bad bytes into a valid character).
      if (c == '\r' && (pos_ >= text_.size() || text_[pos_] == '\n')) continue;
      // A"B"C would otherwise lose its quotes and read as ABC.
      if (c == '"') throw CsvProblem{line_, column, "кавичка в стойност, която не започва с кавичка"};
      out += c;
    }
    return true;
  }

  // A field in quotes ("" stands for one quote); after the closing quote only blanks may come
  // before the separator or the line's end. True when the record ended.
  bool ReadQuoted(std::string& out, int column) {
    const int opened = line_;
    for (;;) {
      if (pos_ >= text_.size()) throw CsvProblem{opened, column, "кавичките не са затворени"};
      const char c = text_[pos_++];
      if (c == '"') {
        if (pos_ < text_.size() && text_[pos_] == '"') {
          out += '"';
          ++pos_;
          continue;
        }
        break;
      }
      if (c == '\n') ++line_;
      out += c;
    }
    while (pos_ < text_.size() && (Blank(text_[pos_]) || text_[pos_] == '\r')) ++pos_;
    if (pos_ >= text_.size()) return true;
    const char next = text_[pos_++];
    if (next == separator_) return false;
    if (next == '\n') {
      ++line_;
      return true;
    }
    throw CsvProblem{line_, column, "текст след затварящата кавичка"};
  }

  const std::string& text_;
  char separator_;
  size_t pos_ = 0;
  int line_ = 1;
  int recordLine_ = 1;
};

// Position of the first byte that does not belong to well-formed UTF-8, or npos. Overlong
// forms, encoded surrogates (ED A0..BF ..) and code points past U+10FFFF are not well-formed.
size_t FirstBadUtf8(const std::string& text) {
  size_t i = 0;
  while (i < text.size()) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      ++i;
      continue;
    }
    int extra = 0;
    unsigned char low = 0x80, high = 0xBF;  // the second byte's range
    if (c >= 0xC2 && c <= 0xDF) extra = 1;
    else if (c == 0xE0) extra = 2, low = 0xA0;
    else if (c == 0xED) extra = 2, high = 0x9F;
    else if (c >= 0xE1 && c <= 0xEF) extra = 2;
    else if (c == 0xF0) extra = 3, low = 0x90;
    else if (c >= 0xF1 && c <= 0xF3) extra = 3;
    else if (c == 0xF4) extra = 3, high = 0x8F;
    else return i;
    if (i + extra >= text.size()) return i;
    const auto second = static_cast<unsigned char>(text[i + 1]);
    if (second < low || second > high) return i;
    for (int k = 2; k <= extra; ++k)
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return i;
    i += extra + 1;
  }
  return std::string::npos;
}

// A value the store must not take: a NUL byte (text ends there for most readers) or bytes
// that are not UTF-8. The line is the one the bad byte stands on.
void CheckValue(const CsvField& field, int column) {
  const size_t nul = field.text.find('\0');
  const size_t bad = FirstBadUtf8(field.text);
  if (nul == std::string::npos && bad == std::string::npos) return;
  const bool nulFirst = bad == std::string::npos || (nul != std::string::npos && nul < bad);
  const size_t at = nulFirst ? nul : bad;
  int line = field.line;
  for (size_t i = 0; i < at; ++i)
    if (field.text[i] == '\n') ++line;
  if (nulFirst) throw CsvProblem{line, column, "стойността съдържа нулев байт (NUL)"};
  char byte[8];
  std::snprintf(byte, sizeof byte, "%02X", static_cast<unsigned char>(field.text[at]));
  throw CsvProblem{line, column, std::string("текстът не е в UTF-8 (байт ") + byte + ")"};
}

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

// What the header says: the names as written and the column of the key and of each property.
struct ExtractLayout {
  std::vector<std::string> names;
  int egnColumn = -1;
  std::array<int, kPersInfoPropertyCount> columnOf{};
};

PopulationError Refusal(const CsvProblem& problem, const std::vector<std::string>& names) {
  std::string text = "Ред " + std::to_string(problem.line) + ", колона " + std::to_string(problem.column);
  const size_t index = static_cast<size_t>(problem.column - 1);
  if (index < names.size() && !names[index].empty()) text += " (" + names[index] + ")";
  return PopulationError(text + ": " + problem.reason);
}

ExtractLayout ReadHeader(CsvReader& reader) {
  ExtractLayout layout;
  layout.columnOf.fill(-1);
  std::vector<CsvField> header;
  try {
    header = reader.Next();
    for (size_t c = 0; c < header.size(); ++c) CheckValue(header[c], static_cast<int>(c) + 1);
  } catch (const CsvProblem& problem) {
    throw Refusal(problem, {});
  }
  for (size_t c = 0; c < header.size(); ++c) {
    const std::string name = Trimmed(header[c].text);
    const int column = static_cast<int>(c);
    for (size_t earlier = 0; earlier < layout.names.size(); ++earlier)
      if (layout.names[earlier] == name)
        throw PopulationError("Ред 1, колони " + std::to_string(earlier + 1) + " и " + std::to_string(column + 1) +
                              ": колоната " + name + " е два пъти в заглавния ред");
    layout.names.push_back(name);
    if (name == Utf8(kPersInfoKeyColumn)) {
      layout.egnColumn = column;
      continue;
    }
    bool known = false;
    for (int p = 0; p < kPersInfoPropertyCount && !known; ++p)
      if (name == Utf8(kPersInfoProperties[p])) {
        layout.columnOf[p] = column;
        known = true;
      }
    if (!known)
      throw PopulationError("Ред 1, колона " + std::to_string(column + 1) + ": непозната колона в заглавния ред \"" +
                            name + "\"");
  }
  if (layout.egnColumn < 0) throw PopulationError("Заглавният ред няма колона EGN");
  return layout;
}

struct RowCounts {
  int rows = 0;
  int withoutEgn = 0;
  int oddDates = 0;
};

// Reads and checks every row after the header, handing each person with a personal number to
// `person` (none may be given, to check only). A refusal is a PopulationError.
RowCounts ReadRows(const std::string& text, char separator, const ExtractLayout& layout,
                   const std::function<void(const PopulationRecord&)>& person,
                   const std::function<void(int rows)>& progress) {
  CsvReader reader(text, separator);
  reader.Next();  // the header, read by ReadHeader
  RowCounts counts;
  while (!reader.AtEnd()) {
    std::vector<CsvField> fields;
    try {
      fields = reader.Next();
      for (size_t c = 0; c < fields.size(); ++c) CheckValue(fields[c], static_cast<int>(c) + 1);
    } catch (const CsvProblem& problem) {
      throw Refusal(problem, layout.names);
    }
    if (fields.size() == 1 && Trimmed(fields[0].text).empty()) continue;  // blank line
    if (fields.size() != layout.names.size())
      throw PopulationError("Ред " + std::to_string(reader.Line()) + ": " + std::to_string(fields.size()) +
                            " полета вместо " + std::to_string(layout.names.size()));
    ++counts.rows;
    if (progress && counts.rows % 10000 == 0) progress(counts.rows);
    PopulationRecord record;
    // The personal number is kept as written: the program looks it up exactly as typed.
    record.egn = fields[layout.egnColumn].text;
    if (Trimmed(record.egn).empty()) {
      ++counts.withoutEgn;
      continue;
    }
    for (int p = 0; p < kPersInfoPropertyCount; ++p) {
      if (layout.columnOf[p] < 0) continue;
      record.values[p] = fields[layout.columnOf[p]].text;
      if (IsDateProperty(p) && !record.values[p].empty() && !IsEightDigits(record.values[p])) ++counts.oddDates;
    }
    if (person) person(record);
  }
  return counts;
}

std::string ReadExtract(const std::string& csvPath) {
  std::ifstream file(csvPath, std::ios::binary);
  if (!file) throw PopulationError("Файлът " + csvPath + " не може да се прочете");
  std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (file.bad()) throw PopulationError("Файлът " + csvPath + " не може да се прочете");
  if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);
  if (text.empty()) throw PopulationError("Файлът " + csvPath + " е празен");
  return text;
}
}  // namespace

CsvImportSummary ImportPopulationCsv(const std::string& csvPath, const std::string& storePath,
                                     const std::function<void(int rows)>& progress) {
  const std::string text = ReadExtract(csvPath);
  const std::string headerLine = text.substr(0, text.find('\n'));
  const char separator =
      headerLine.find(';') != std::string::npos && headerLine.find(',') == std::string::npos ? ';' : ',';
  CsvReader headerReader(text, separator);
  const ExtractLayout layout = ReadHeader(headerReader);

  CsvImportSummary summary;
  for (int p = 0; p < kPersInfoPropertyCount; ++p)
    if (layout.columnOf[p] < 0) summary.missingColumns.push_back(Utf8(kPersInfoProperties[p]));

  // Every row is checked before the store is opened: a refused extract leaves no trace.
  const RowCounts counts = ReadRows(text, separator, layout, {}, {});
  summary.withoutEgn = counts.withoutEgn;
  summary.oddDates = counts.oddDates;

  PopulationWriter writer(storePath);
  ReadRows(
      text, separator, layout,
      [&](const PopulationRecord& record) {
        if (!writer.Write(record)) ++summary.replaced;
        ++summary.persons;
      },
      progress);
  writer.Commit();
  if (progress) progress(counts.rows);
  return summary;
}
