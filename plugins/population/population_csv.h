// Reading the text of a CSV extract of the population database: the checks of its bytes, the
// separator its header uses and its records one at a time. Standard C++ only, like the store.
#pragma once

#include <string>
#include <vector>

#include "population_store.h"

// The file's bytes ready to read: a UTF-8 byte-order mark is skipped; bytes that are not UTF-8
// are a PopulationError naming their line.
std::string PopulationCsvText(std::string bytes);

// ';' when the first line has semicolons and no comma, else ','.
char PopulationCsvSeparator(const std::string& text);

// Reads CSV records one at a time, keeping the line number of each record's start: fields in
// double quotes may hold the separator, a doubled quote and line breaks; "\r\n" and "\n" end a
// record alike. A quote left open is a PopulationError naming the record's line.
class PopulationCsvReader {
 public:
  PopulationCsvReader(std::string text, char separator) : text_(std::move(text)), separator_(separator) {}

  bool AtEnd() const { return pos_ >= text_.size(); }
  int Line() const { return recordLine_; }
  std::vector<std::string> Next();

 private:
  std::string text_;
  char separator_;
  size_t pos_ = 0;
  int line_ = 1;
  int recordLine_ = 1;
};
