// Escaping a text value for an RTF body.
#include "engine/rtf/rtf_escape.h"

QByteArray RtfEscapeText(const QString& text) {
  QByteArray out;
  out.reserve(text.size() + 16);
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t c = text.at(i).unicode();
    switch (c) {
      case u'\\': out += "\\\\"; continue;
      case u'{': out += "\\{"; continue;
      case u'}': out += "\\}"; continue;
      case u'\t': out += "\\tab "; continue;
      case u'\r':
        if (i + 1 < text.size() && text.at(i + 1) == u'\n') ++i;
        out += "\\par ";
        continue;
      case u'\n': out += "\\par "; continue;
      default: break;
    }
    if (c < 0x20 || c == 0x7F) continue;
    if (c < 0x80) {
      out += static_cast<char>(c);
      continue;
    }
    // RTF numbers are signed 16-bit; surrogate halves go out one by one, as readers expect.
    out += "\\u";
    out += QByteArray::number(static_cast<int>(static_cast<qint16>(c)));
    out += '?';
  }
  return out;
}
