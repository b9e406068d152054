// Fuzzes the RTF field scanner with any bytes as a template: reading the fields and the text
// never fails other than with RtfError, and filling every field found gives a balanced document
// with the values where the fields were and no field left.
#include <QHash>

#include "engine/rtf/rtf_fields.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray rtf(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const bool balanced = IsBalancedRtf(rtf);
  QStringList fields;
  QString text;
  try {
    fields = FindRtfFields(rtf);
    text = RtfPlainText(rtf);
  } catch (const RtfError&) {
    FuzzCheck(!balanced, "a balanced document is read without an error");
    return 0;
  }
  FuzzCheck(balanced, "a document read without an error is balanced");

  // "Ж" is neither a name character nor a bracket, so no new field can form around it.
  const QString value = QStringLiteral("Ж");
  QHash<QString, QString> values;
  for (const QString& name : fields) values.insert(name, value);
  const QByteArray filled = FillRtfFields(rtf, values);
  FuzzCheck(IsBalancedRtf(filled), "a filled document is balanced");
  FuzzCheck(FindRtfFields(filled).isEmpty(), "a filled document has no field left");
  FuzzCheck(RtfPlainText(filled).count(value) == text.count(value) + fields.size(),
            "every field reads as its value");
  return 0;
}
