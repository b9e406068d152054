#include "data/firebird/cp1251.h"

#include <QHash>
#include <QStringDecoder>
#include <array>

#include "data/firebird/db_error.h"

namespace {
struct Cp1251Tables {
  std::array<char16_t, 256> toUnicode{};
  QHash<char16_t, char> fromUnicode;

  Cp1251Tables() {
    QStringDecoder decoder("windows-1251");
    if (!decoder.isValid()) throw DbError(QStringLiteral("Кодовата таблица windows-1251 не е налична."));
    for (int b = 0; b < 256; ++b) {
      const char byte = static_cast<char>(b);
      const QString ch = decoder.decode(QByteArrayView(&byte, 1));
      decoder.resetState();
      // A byte the code page leaves undefined decodes to U+FFFD; it can be read but never written.
      toUnicode[b] = ch.size() == 1 ? ch.at(0).unicode() : u'\uFFFD';
      if (toUnicode[b] != u'\uFFFD' && !fromUnicode.contains(toUnicode[b])) fromUnicode.insert(toUnicode[b], byte);
    }
  }
};

const Cp1251Tables& Tables() {
  static const Cp1251Tables tables;
  return tables;
}
}  // namespace

QString DecodeCp1251(const char* bytes, qsizetype length) {
  const auto& table = Tables().toUnicode;
  QString result(length, Qt::Uninitialized);
  QChar* out = result.data();
  for (qsizetype i = 0; i < length; ++i) out[i] = QChar(table[static_cast<unsigned char>(bytes[i])]);
  return result;
}

namespace {
bool Storable(char16_t ch) { return ch != 0 && (ch < 0x80 || Tables().fromUnicode.contains(ch)); }

QString CharacterAt(const QString& text, qsizetype i) {
  const bool pair = text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
  const char32_t code = pair ? QChar::surrogateToUcs4(text.at(i), text.at(i + 1)) : text.at(i).unicode();
  const QString shown = code == 0 ? QString() : text.mid(i, pair ? 2 : 1);
  return QStringLiteral("\"%1\" (U+%2)").arg(shown, QString::number(code, 16).toUpper().rightJustified(4, u'0'));
}
}  // namespace

QByteArray EncodeCp1251(const QString& text) {
  const auto& table = Tables().fromUnicode;
  QByteArray result(text.size(), Qt::Uninitialized);
  char* out = result.data();
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t ch = text.at(i).unicode();
    if (!Storable(ch))
      throw DbError(QStringLiteral("Текстът съдържа знак, който базата данни не може да запише "
                                   "(кодова таблица windows-1251): %1.")
                        .arg(CharacterAt(text, i)));
    out[i] = ch < 0x80 ? static_cast<char>(ch) : table.value(ch);
  }
  return result;
}

bool FitsCp1251(const QString& text) { return FirstUnstorableCharacter(text).isEmpty(); }

QString FirstUnstorableCharacter(const QString& text) {
  for (qsizetype i = 0; i < text.size(); ++i)
    if (!Storable(text.at(i).unicode())) return CharacterAt(text, i);
  return {};
}
