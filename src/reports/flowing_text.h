// A paragraph of a printed document whose values sit inside its sentences: the words flow from
// line to line within a width, the filled-in values may be bold, and the caller learns where
// the text ends (to draw a line for handwriting after it). The lines come back as report labels.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "engine/report/report_model.h"

struct TextRun {
  QString text;
  bool bold = false;
};

struct FlowFont {
  QStringList families;
  double pointSize = 10;
  int stretch = 100;
};

struct FlowedParagraph {
  std::vector<report::Item> labels;  // one per run of equal style on a line
  int lineCount = 0;
  double lastLineEnd = 0;  // mm from the left edge of the paragraph's box, where the last word ends
};

// Lays `runs` out from `top` in a box `width` mm wide starting at `left`; the first line starts
// `indent` mm further right; lines are `lineSpacing` mm apart. Blanks between runs are kept as
// word breaks; runs of blanks count as one. A word wider than the box is broken after a comma,
// full stop, hyphen or slash inside it where one fits, else between letters.
FlowedParagraph FlowParagraph(const std::vector<TextRun>& runs, const FlowFont& font, double left, double top,
                              double width, double indent, double lineSpacing);
