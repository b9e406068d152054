#include "reports/flowing_text.h"

#include <QRegularExpression>

#include "engine/report/text_measure.h"

namespace {
// A word with its style; `joined` when no blank separates it from the word before.
struct Word {
  QString text;
  bool bold = false;
  bool joined = false;
};

// A line's words, placed: each run starts where the run before it ended (plus a blank).
struct Line {
  std::vector<Word> words;
};

class Flow {
 public:
  explicit Flow(const FlowFont& font)
      : regular_(font.families, font.pointSize, false, font.stretch),
        bold_(font.families, font.pointSize, true, font.stretch) {}

  const report::TextMeasure& Measure(bool bold) const { return bold ? bold_ : regular_; }
  double Blank() const { return regular_.Width(QStringLiteral(" ")); }

  // The width of the words laid on one line, as they are drawn: runs of one style as one text.
  double Width(const std::vector<Word>& words) const {
    double x = 0;
    for (const Run& run : Runs(words)) x = run.x + Measure(run.bold).Width(run.text);
    return x;
  }

  struct Run {
    QString text;
    bool bold = false;
    double x = 0;
  };
  std::vector<Run> Runs(const std::vector<Word>& words) const {
    std::vector<Run> runs;
    double end = 0;
    for (const Word& word : words) {
      const bool first = runs.empty();
      const QString gap = (first || word.joined) ? QString() : QStringLiteral(" ");
      if (!first && runs.back().bold == word.bold) {
        runs.back().text += gap + word.text;
      } else {
        if (!first) end = runs.back().x + Measure(runs.back().bold).Width(runs.back().text);
        runs.push_back({QString(), word.bold, end + (gap.isEmpty() ? 0 : Blank())});
        runs.back().text = word.text;
      }
    }
    return runs;
  }

  // The longest start of `word` that fits in `room`, cut after a comma, full stop, hyphen or
  // slash when there is one; at least one letter.
  qsizetype FittingPart(const Word& word, double room) const {
    const report::TextMeasure& measure = Measure(word.bold);
    qsizetype fit = 1;
    while (fit < word.text.size() && measure.Width(word.text.left(fit + 1)) <= room) ++fit;
    for (qsizetype i = fit; i > 1; --i)
      if (QStringLiteral(",.-/").contains(word.text.at(i - 1))) return i;
    return fit;
  }

 private:
  report::TextMeasure regular_;
  report::TextMeasure bold_;
};

std::vector<Word> WordsOf(const std::vector<TextRun>& runs) {
  static const QRegularExpression blanks(QStringLiteral("\\s+"));
  std::vector<Word> words;
  bool blankBefore = true;
  for (const TextRun& run : runs) {
    const QStringList parts = run.text.split(blanks);
    for (qsizetype i = 0; i < parts.size(); ++i) {
      if (i > 0) blankBefore = true;
      if (parts[i].isEmpty()) continue;
      words.push_back({parts[i], run.bold, !blankBefore && !words.empty()});
      blankBefore = false;
    }
  }
  return words;
}
}  // namespace

FlowedParagraph FlowParagraph(const std::vector<TextRun>& runs, const FlowFont& font, double left, double top,
                              double width, double indent, double lineSpacing) {
  const Flow flow(font);
  // Drawn runs can come out a hair wider than their measured words: keep that much spare.
  const double room = width - 0.5;

  std::vector<Line> lines(1);
  auto roomOf = [&](size_t line) { return room - (line == 0 ? indent : 0); };
  std::vector<Word> pending = WordsOf(runs);
  for (size_t next = 0; next < pending.size(); ++next) {
    Word word = pending[next];
    Line* line = &lines.back();
    std::vector<Word> tried = line->words;
    tried.push_back(word);
    if (flow.Width(tried) <= roomOf(lines.size() - 1)) {
      line->words.push_back(word);
      continue;
    }
    // Joined to the word before (a comma after a value): both move to the next line together.
    std::vector<Word> carried;
    while (word.joined && !line->words.empty()) {
      carried.insert(carried.begin(), line->words.back());
      const bool joined = line->words.back().joined;
      line->words.pop_back();
      if (!joined) break;
    }
    if (!line->words.empty()) {
      lines.emplace_back();
      line = &lines.back();
    }
    carried.push_back(word);
    carried.front().joined = false;
    // Whatever still does not fit on a line of its own is broken inside its words.
    for (Word& piece : carried) {
      while (true) {
        std::vector<Word> withPiece = line->words;
        withPiece.push_back(piece);
        if (flow.Width(withPiece) <= roomOf(lines.size() - 1)) {
          line->words.push_back(piece);
          break;
        }
        if (!line->words.empty()) {
          lines.emplace_back();
          line = &lines.back();
          piece.joined = false;
          continue;
        }
        const qsizetype cut = flow.FittingPart(piece, roomOf(lines.size() - 1));
        line->words.push_back({piece.text.left(cut), piece.bold, false});
        if (cut >= piece.text.size()) break;  // a single letter wider than the line stands alone
        piece = {piece.text.mid(cut), piece.bold, false};
        lines.emplace_back();
        line = &lines.back();
      }
    }
  }

  FlowedParagraph result;
  result.lineCount = static_cast<int>(lines.size());
  for (size_t i = 0; i < lines.size(); ++i) {
    const double start = left + (i == 0 ? indent : 0);
    const double lineTop = top + i * lineSpacing;
    for (const Flow::Run& run : flow.Runs(lines[i].words)) {
      report::Item label = report::Label(start + run.x, lineTop, run.text, font.pointSize, run.bold);
      label.width = left + width - label.left + 1;  // never narrower than the run: it must not wrap again
      result.labels.push_back(label);
    }
    if (i + 1 == lines.size()) result.lastLineEnd = (i == 0 ? indent : 0) + flow.Width(lines[i].words);
  }
  return result;
}
