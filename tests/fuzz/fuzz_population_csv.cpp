// Fuzzes the import of population CSV extracts with any bytes as the file: the import either
// loads the extract or refuses it with PopulationError (never another failure), refuses every
// file that is not UTF-8 or holds a NUL byte, and a refused extract writes no store at all.
#include <QStringDecoder>
#include <QTemporaryDir>
#include <fstream>
#include <string>

#include "fuzz_check.h"
#include "population_csv.h"

namespace {
// Qt's decoder as the judge of what UTF-8 is; stateless, so a sequence cut off at the end counts.
bool IsUtf8(const std::string& bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  const QString decoded = utf8.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
  return !utf8.hasError();
}

const QTemporaryDir& Folder() {
  static const QTemporaryDir folder;
  return folder;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::string csv = Folder().filePath(QStringLiteral("extract.csv")).toStdString();
  const std::string store = Folder().filePath(QStringLiteral("store.sqlite")).toStdString();
  std::remove(store.c_str());
  std::ofstream(csv, std::ios::binary | std::ios::trunc) << bytes;
  try {
    ImportPopulationCsv(csv, store);
  } catch (const PopulationError&) {
    FuzzCheck(!std::ifstream(store).good(), "a refused extract writes no store");
    return 0;
  }
  FuzzCheck(IsUtf8(bytes), "a file that is not UTF-8 is refused");
  FuzzCheck(bytes.find('\0') == std::string::npos, "a file with a NUL byte is refused");
  return 0;
}
