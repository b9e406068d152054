// Fuzzes the reader of population CSV extracts with any bytes as a file: the bytes are refused
// exactly when they are not UTF-8, every record reads or fails with PopulationError, record lines
// only grow, and the records written back as CSV read back the same.
#include <QStringDecoder>
#include <optional>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "population_csv.h"

namespace {
using Records = std::vector<std::vector<std::string>>;

// Every record, or nothing when the reader refuses the text.
std::optional<Records> ReadAll(std::string text, char separator) {
  PopulationCsvReader reader(std::move(text), separator);
  Records records;
  int line = 0;
  try {
    while (!reader.AtEnd()) {
      records.push_back(reader.Next());
      FuzzCheck(reader.Line() > line, "each record starts on a later line");
      line = reader.Line();
    }
  } catch (const PopulationError&) {
    return std::nullopt;
  }
  return records;
}

// Qt's decoder as the judge of what UTF-8 is; stateless, so a sequence cut off at the end counts.
bool IsUtf8(const std::string& bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  const QString decoded = utf8.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
  return !utf8.hasError();
}

std::string Written(const Records& records, char separator) {
  std::string csv;
  for (const auto& fields : records) {
    for (size_t i = 0; i < fields.size(); ++i) {
      if (i > 0) csv += separator;
      csv += '"';
      for (char c : fields[i]) csv += c == '"' ? std::string("\"\"") : std::string(1, c);
      csv += '"';
    }
    csv += "\r\n";
  }
  return csv;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  std::string text;
  try {
    text = PopulationCsvText(bytes);
  } catch (const PopulationError&) {
    FuzzCheck(!IsUtf8(bytes), "only text that is not UTF-8 is refused");
    return 0;
  }
  FuzzCheck(IsUtf8(text), "text that is not UTF-8 is refused");

  const char separator = PopulationCsvSeparator(text);
  const std::optional<Records> records = ReadAll(text, separator);
  if (!records) return 0;
  const std::optional<Records> again = ReadAll(Written(*records, separator), separator);
  FuzzCheck(again && *again == *records, "records written as CSV read back the same");
  return 0;
}
