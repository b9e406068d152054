#include "population_csv.h"

namespace {
// Position of the first byte that does not belong to well-formed UTF-8, or npos. Besides the
// shape of each sequence, the second byte rules out overlong forms, surrogates (U+D800..U+DFFF)
// and code points beyond U+10FFFF, which stand for no character.
size_t FirstBadUtf8(const std::string& text) {
  size_t i = 0;
  while (i < text.size()) {
    const auto c = static_cast<unsigned char>(text[i]);
    int extra = 0;
    unsigned char secondMin = 0x80;
    unsigned char secondMax = 0xBF;
    if (c < 0x80) extra = 0;
    else if (c >= 0xC2 && c <= 0xDF) extra = 1;
    else if (c >= 0xE0 && c <= 0xEF) extra = 2;
    else if (c >= 0xF0 && c <= 0xF4) extra = 3;
    else return i;
    if (c == 0xE0) secondMin = 0xA0;
    if (c == 0xED) secondMax = 0x9F;
    if (c == 0xF0) secondMin = 0x90;
    if (c == 0xF4) secondMax = 0x8F;
    for (int k = 1; k <= extra; ++k) {
      if (i + k >= text.size()) return i;
      const auto next = static_cast<unsigned char>(text[i + k]);
      if (k == 1 ? (next < secondMin || next > secondMax) : (next & 0xC0) != 0x80) return i;
    }
    i += extra + 1;
  }
  return std::string::npos;
}

int LineOf(const std::string& text, size_t position) {
  int line = 1;
  for (size_t i = 0; i < position && i < text.size(); ++i)
    if (text[i] == '\n') ++line;
  return line;
}
}  // namespace

std::string PopulationCsvText(std::string bytes) {
  if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) bytes.erase(0, 3);
  if (const size_t bad = FirstBadUtf8(bytes); bad != std::string::npos)
    throw PopulationError("Ред " + std::to_string(LineOf(bytes, bad)) + ": текстът не е в UTF-8");
  return bytes;
}

char PopulationCsvSeparator(const std::string& text) {
  const std::string headerLine = text.substr(0, text.find('\n'));
  return headerLine.find(';') != std::string::npos && headerLine.find(',') == std::string::npos ? ';' : ',';
}

std::vector<std::string> PopulationCsvReader::Next() {
  recordLine_ = line_;
  std::vector<std::string> fields(1);
  bool quoted = false;
  while (pos_ < text_.size()) {
    const char c = text_[pos_++];
    if (quoted) {
      if (c == '"') {
        if (pos_ < text_.size() && text_[pos_] == '"') {
          fields.back() += '"';
          ++pos_;
        } else {
          quoted = false;
        }
      } else {
        if (c == '\n') ++line_;
        fields.back() += c;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == separator_) {
      fields.emplace_back();
    } else if (c == '\r') {
      // Line ends "\r\n" and "\n" read alike.
    } else if (c == '\n') {
      ++line_;
      return fields;
    } else {
      fields.back() += c;
    }
  }
  if (quoted) throw PopulationError("Ред " + std::to_string(recordLine_) + ": кавичките не са затворени");
  return fields;
}
