#include "data/firebird/cp1251.h"

#include "core/code_page_1251.h"
#include "data/firebird/db_error.h"

QString DecodeCp1251(const char* bytes, qsizetype length) { return FromCp1251(QByteArrayView(bytes, length)); }

namespace {
bool Storable(char16_t ch) { return ch != 0 && Cp1251Byte(ch).has_value(); }

QString CharacterAt(const QString& text, qsizetype i) {
  const bool pair = text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
  const char32_t code = pair ? QChar::surrogateToUcs4(text.at(i), text.at(i + 1)) : text.at(i).unicode();
  const QString shown = code == 0 ? QString() : text.mid(i, pair ? 2 : 1);
  return QStringLiteral("\"%1\" (U+%2)").arg(shown, QString::number(code, 16).toUpper().rightJustified(4, u'0'));
}
}  // namespace

QByteArray EncodeCp1251(const QString& text) {
  QByteArray result(text.size(), Qt::Uninitialized);
  char* out = result.data();
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t ch = text.at(i).unicode();
    const std::optional<char> byte = ch == 0 ? std::nullopt : Cp1251Byte(ch);
    if (!byte)
      throw DbError(QStringLiteral("Текстът съдържа знак, който базата данни не може да запише "
                                   "(кодова таблица windows-1251): %1.")
                        .arg(CharacterAt(text, i)));
    out[i] = *byte;
  }
  return result;
}

bool FitsCp1251(const QString& text) { return FirstUnstorableCharacter(text).isEmpty(); }

QString FirstUnstorableCharacter(const QString& text) {
  for (qsizetype i = 0; i < text.size(); ++i)
    if (!Storable(text.at(i).unicode())) return CharacterAt(text, i);
  return {};
}
