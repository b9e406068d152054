// Keeps only the allowed characters of a number field's text.
#include "search/text_filter.h"

namespace {
bool IsAllowed(QChar ch, AllowedChars allowed) {
  if (ch >= u'0' && ch <= u'9') return true;  // ASCII digits only: other scripts' digits are no SQL number
  return allowed == AllowedChars::DigitsAndPoint && ch == u'.';
}
}  // namespace

FilteredText KeepAllowedChars(const QString& text, int cursor, AllowedChars allowed) {
  FilteredText result;
  result.text.reserve(text.size());
  for (int i = 0; i < text.size(); ++i) {
    if (IsAllowed(text[i], allowed)) {
      result.text += text[i];
      if (i < cursor) ++result.cursor;
    }
  }
  return result;
}
