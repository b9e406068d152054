// Measuring and breaking text in millimetres, the same way for every renderer: fonts are
// measured unhinted at a fixed high resolution, so a width does not depend on the device.
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QString>
#include <QStringList>

namespace report {

// The font of the families at the size, unhinted.
QFont ReportFont(const QStringList& families, double pointSize, bool bold);

class TextMeasure {
 public:
  TextMeasure(const QStringList& families, double pointSize, bool bold, int stretch = 100);

  double Width(const QString& text) const;  // mm, the letters `stretch` percent wide
  double Ascent() const { return ascent_; }
  double LineSpacing() const { return lineSpacing_; }

  // Breaks the text into lines no wider than maxWidth mm: at '\n', else at blanks (a line's
  // trailing and the next line's leading blanks are dropped at a break) or after a hyphen,
  // else inside a word too long for a line. Blanks inside a line are kept as they are.
  QStringList Break(const QString& text, double maxWidth) const;

 private:
  QStringList BreakParagraph(const QString& paragraph, double maxWidth) const;

  QFont font_;
  QFontMetricsF metrics_;
  // A list repeats the same texts (dates, groups, years) on most of its lines: each is shaped
  // once. Kept small enough that a huge list of distinct texts cannot make it grow without end.
  mutable QHash<QString, double> widths_;
  double widthFactor_ = 1;
  double ascent_ = 0;
  double lineSpacing_ = 0;
};

}  // namespace report
