// Finding and replacing named fields "<<name>>" in an RTF document. The document is read
// as a sequence of visible characters, each remembering the bytes it came from, so a field
// split by an editor into several groups or runs is still found and its pieces removed.
#include "engine/rtf/rtf_fields.h"

#include <algorithm>

#include "core/code_page_1251.h"
#include "engine/rtf/rtf_escape.h"
#include <vector>

namespace {
// One character of the visible text and the bytes of the document it was written as.
struct VisibleChar {
  char ch;            // ASCII as written; 1 for any character above ASCII; '\n' for breaks
  qsizetype begin;    // first byte
  qsizetype end;      // one past the last byte
  bool afterWord;     // directly follows a control word that ended without a blank
  char16_t unicode;   // the character itself (8-bit characters read in the Cyrillic code page)
};

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsNameChar(char c) { return IsLetter(c) || IsDigit(c) || c == '_'; }
int HexValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Destinations whose text is not part of the document body.
bool IsHiddenDestination(const QByteArray& word) {
  static const char* const kHidden[] = {"fonttbl", "colortbl", "stylesheet", "info", "pict", "listtable",
                                        "listoverridetable", "rsidtbl", "generator", "xmlnstbl", "themedata",
                                        "colorschememapping", "latentstyles", "datastore", "filetbl",
                                        "revtbl", "object", "fldinst", "bkmkstart", "bkmkend"};
  for (const char* name : kHidden)
    if (word == name) return true;
  return false;
}

bool IsBreakWord(const QByteArray& word) {
  static const char* const kBreaks[] = {"par", "line", "tab", "cell", "row", "sect", "page", "nestcell",
                                        "nestrow", "column", "lbr"};
  for (const char* name : kBreaks)
    if (word == name) return true;
  return false;
}

struct GroupState {
  bool hidden = false;
  int uc = 1;  // fallback characters after each \u
};

// Reads the document into its visible characters; throws RtfError for unbalanced groups.
std::vector<VisibleChar> ReadVisibleText(const QByteArray& rtf) {
  if (!rtf.startsWith("{\\rtf"))
    throw RtfError(QStringLiteral("Шаблонът не е RTF документ (не започва с „{\\rtf“)."));
  std::vector<VisibleChar> text;
  std::vector<GroupState> stack;
  GroupState state;
  bool closed = false;
  bool lastWasWord = false;  // the previous token was a control word ending without a blank
  const qsizetype n = rtf.size();
  qsizetype i = 0;
  auto put = [&](char ch, qsizetype begin, qsizetype end, char16_t unicode) {
    if (!state.hidden) text.push_back({ch, begin, end, lastWasWord, unicode});
  };
  // Skips the fallback characters that follow a \u.
  auto skipFallback = [&](int count) {
    while (count > 0 && i < n) {
      const char c = rtf.at(i);
      if (c == '{' || c == '}') return;
      if (c == '\r' || c == '\n') {
        ++i;
        continue;
      }
      if (c == '\\') {
        if (i + 3 < n && rtf.at(i + 1) == '\'') {
          i += 4;
        } else {
          return;
        }
      } else {
        ++i;
      }
      --count;
    }
  };
  while (i < n) {
    const char c = rtf.at(i);
    if (closed) {
      if (c == '\0' || c == '\r' || c == '\n' || c == ' ' || c == '\t') {
        ++i;
        continue;
      }
      throw RtfError(QStringLiteral("Шаблонът има текст след края на RTF документа."));
    }
    if (c == '{') {
      stack.push_back(state);
      ++i;
      lastWasWord = false;
      if (i + 1 < n && rtf.at(i) == '\\' && rtf.at(i + 1) == '*') state.hidden = true;
      continue;
    }
    if (c == '}') {
      if (stack.empty()) throw RtfError(QStringLiteral("Шаблонът има повече затварящи, отколкото отварящи скоби."));
      state = stack.back();
      stack.pop_back();
      ++i;
      lastWasWord = false;
      if (stack.empty()) closed = true;
      continue;
    }
    if (c == '\r' || c == '\n') {
      ++i;  // line breaks of the file are not text
      continue;
    }
    if (c != '\\') {
      const int byte = static_cast<unsigned char>(c);
      put(byte < 0x80 ? c : '\x01', i, i + 1, Cp1251Character(static_cast<unsigned char>(byte)));
      lastWasWord = false;
      ++i;
      continue;
    }
    // A control word or symbol.
    const qsizetype start = i;
    if (i + 1 >= n) throw RtfError(QStringLiteral("Шаблонът завършва по средата на управляваща дума."));
    const char next = rtf.at(i + 1);
    if (IsLetter(next)) {
      qsizetype j = i + 1;
      while (j < n && IsLetter(rtf.at(j))) ++j;
      const QByteArray word = rtf.mid(i + 1, j - i - 1);
      qsizetype numberStart = j;
      if (j < n && rtf.at(j) == '-') ++j;
      while (j < n && IsDigit(rtf.at(j))) ++j;
      const bool hasNumber = j > numberStart && !(j == numberStart + 1 && rtf.at(numberStart) == '-');
      const long number = hasNumber ? rtf.mid(numberStart, j - numberStart).toLong() : 0;
      const bool blank = j < n && rtf.at(j) == ' ';
      if (blank) ++j;
      i = j;
      lastWasWord = !blank;
      if (word == "bin" && hasNumber) {
        // Binary data never runs past the end of the document, however large its length.
        i += std::min<qsizetype>(std::max(0L, number), n - i);
        lastWasWord = false;
      } else if (word == "u" && hasNumber) {
        put('\x01', start, i, static_cast<char16_t>(number < 0 ? number + 65536 : number));
        skipFallback(state.uc);
        lastWasWord = false;
      } else if (word == "uc") {
        state.uc = hasNumber ? static_cast<int>(number) : 1;
      } else if (IsBreakWord(word)) {
        put('\n', start, i, word == "tab" ? u'\t' : u'\n');
      } else if (IsHiddenDestination(word)) {
        state.hidden = true;
      }
      continue;
    }
    lastWasWord = false;
    if (next == '\'') {
      if (i + 3 >= n || HexValue(rtf.at(i + 2)) < 0 || HexValue(rtf.at(i + 3)) < 0)
        throw RtfError(QStringLiteral("Шаблонът има непълен шестнадесетичен знак."));
      const int value = HexValue(rtf.at(i + 2)) * 16 + HexValue(rtf.at(i + 3));
      put(value < 0x80 ? static_cast<char>(value) : '\x01', start, i + 4,
          Cp1251Character(static_cast<unsigned char>(value)));
      i += 4;
      continue;
    }
    if (next == '\\' || next == '{' || next == '}') {
      put(next, start, i + 2, static_cast<char16_t>(next));
    } else if (next == '~') {
      put(' ', start, i + 2, u'\u00A0');
    } else if (next == '\r' || next == '\n') {
      put('\n', start, i + 2, u'\n');
    } else if (next == '*') {
      state.hidden = true;
    }
    i += 2;
  }
  if (!closed) throw RtfError(QStringLiteral("Шаблонът не затваря всичките си групи."));
  return text;
}

struct FieldMatch {
  qsizetype first;  // index of the first visible character ("<")
  qsizetype last;   // index of the last visible character (">")
  QString name;
};

std::vector<FieldMatch> MatchFields(const std::vector<VisibleChar>& text) {
  std::vector<FieldMatch> matches;
  const qsizetype n = static_cast<qsizetype>(text.size());
  qsizetype i = 0;
  while (i + 1 < n) {
    if (text[i].ch != '<' || text[i + 1].ch != '<') {
      ++i;
      continue;
    }
    qsizetype j = i + 2;
    QString name;
    while (j < n && IsNameChar(text[j].ch)) name += QLatin1Char(text[j++].ch);
    if (!name.isEmpty() && j + 1 < n && text[j].ch == '>' && text[j + 1].ch == '>') {
      matches.push_back({i, j + 1, name});
      i = j + 2;
    } else {
      ++i;
    }
  }
  return matches;
}
}  // namespace

bool IsRtfFieldName(const QString& name) {
  if (name.isEmpty()) return false;
  for (QChar c : name)
    if (c.unicode() >= 0x80 || !IsNameChar(static_cast<char>(c.unicode()))) return false;
  return true;
}

QStringList FindRtfFields(const QByteArray& rtf) {
  QStringList names;
  for (const FieldMatch& m : MatchFields(ReadVisibleText(rtf))) names << m.name;
  return names;
}

bool IsBalancedRtf(const QByteArray& rtf) {
  try {
    ReadVisibleText(rtf);
    return true;
  } catch (const RtfError&) {
    return false;
  }
}

QString RtfPlainText(const QByteArray& rtf) {
  QString plain;
  for (const VisibleChar& c : ReadVisibleText(rtf)) plain += QChar(c.unicode);
  return plain;
}

QByteArray FillRtfFields(const QByteArray& rtf, const QHash<QString, QString>& values) {
  const std::vector<VisibleChar> text = ReadVisibleText(rtf);
  struct Edit {
    qsizetype begin, end;
    QByteArray replacement;
  };
  std::vector<Edit> edits;
  for (const FieldMatch& m : MatchFields(text)) {
    const auto value = values.constFind(m.name);
    if (value == values.constEnd()) continue;
    // The value in a group of its own: "\uc1" makes every \uN take exactly one fallback
    // character whatever the template set, and the braces keep a control word before the
    // field from running into the value's first letters.
    edits.push_back({text[m.first].begin, text[m.first].end, "{\\uc1 " + RtfEscapeText(*value) + '}'});
    for (qsizetype k = m.first + 1; k <= m.last; ++k) {
      // A blank keeps a control word before the removed character from joining the text after it.
      edits.push_back({text[k].begin, text[k].end, text[k].afterWord ? QByteArray(" ") : QByteArray()});
    }
  }
  std::sort(edits.begin(), edits.end(), [](const Edit& a, const Edit& b) { return a.begin < b.begin; });
  QByteArray out;
  out.reserve(rtf.size() + edits.size() * 16);
  qsizetype at = 0;
  for (const Edit& e : edits) {
    out += rtf.mid(at, e.begin - at);
    out += e.replacement;
    at = e.end;
  }
  out += rtf.mid(at);
  return out;
}
