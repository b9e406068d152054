// Text measured on a 1200 dpi image with hinting off, in millimetres.
#include "engine/report/text_measure.h"

#include <QFontMetricsF>
#include <QImage>

#include "core/text_helpers.h"

namespace report {
namespace {
constexpr double kMeasureDpi = 1200;
constexpr double kMmPerInch = 25.4;
constexpr qsizetype kMaxRememberedWidths = 20000;

const QImage& MeasureDevice() {
  static const QImage device = [] {
    QImage image(1, 1, QImage::Format_RGB32);
    const int dotsPerMeter = static_cast<int>(kMeasureDpi / kMmPerInch * 1000 + 0.5);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    return image;
  }();
  return device;
}

double ToMm(double pixels) { return pixels * kMmPerInch / MeasureDevice().logicalDpiX(); }
}  // namespace

QFont ReportFont(const QStringList& families, double pointSize, bool bold) {
  QFont font;
  font.setFamilies(families);
  font.setPointSizeF(pointSize);
  font.setBold(bold);
  font.setHintingPreference(QFont::PreferNoHinting);
  font.setKerning(false);
  return font;
}

TextMeasure::TextMeasure(const QStringList& families, double pointSize, bool bold, int stretch)
    : font_(ReportFont(families, pointSize, bold)),
      metrics_(font_, &MeasureDevice()),
      widthFactor_(stretch / 100.0) {
  ascent_ = ToMm(metrics_.ascent());
  lineSpacing_ = ToMm(metrics_.lineSpacing());
}

double TextMeasure::Width(const QString& text) const {
  if (const auto known = widths_.constFind(text); known != widths_.constEnd()) return *known;
  const double width = ToMm(metrics_.horizontalAdvance(text)) * widthFactor_;
  if (widths_.size() >= kMaxRememberedWidths) widths_.clear();
  widths_.insert(text, width);
  return width;
}

QStringList TextMeasure::Break(const QString& text, double maxWidth) const {
  QStringList lines;
  for (const QString& paragraph : text.split(u'\n')) lines << BreakParagraph(paragraph, maxWidth);
  return lines;
}

QStringList TextMeasure::BreakParagraph(const QString& paragraph, double maxWidth) const {
  QString rest = WithoutTrailingBlanks(paragraph);
  if (rest.isEmpty() || Width(rest) <= maxWidth) return {rest};

  QStringList lines;
  while (!rest.isEmpty()) {
    if (Width(rest) <= maxWidth) {
      lines << rest;
      break;
    }
    // The longest prefix that fits; then back to its last blank when there is one.
    qsizetype fit = 0;
    qsizetype low = 1, high = rest.size();
    while (low <= high) {
      const qsizetype mid = (low + high) / 2;
      if (Width(rest.left(mid)) <= maxWidth) {
        fit = mid;
        low = mid + 1;
      } else {
        high = mid - 1;
      }
    }
    if (fit == 0) fit = 1;  // not even one character fits: it goes on a line of its own
    // Back to the last blank, or to just after a hyphen, when the cut falls inside a word.
    qsizetype cut = fit;
    if (fit < rest.size() && rest.at(fit) != u' ') {
      for (qsizetype i = fit - 1; i > 0; --i) {
        if (rest.at(i) == u' ') {
          cut = i;
          break;
        }
        if (rest.at(i) == u'-') {
          cut = i + 1;
          break;
        }
      }
    }
    QString line = WithoutTrailingBlanks(rest.left(cut));
    if (line.isEmpty()) {  // only blanks before the word: break inside the word instead
      line = rest.left(fit);
      cut = fit;
    }
    lines << line;
    rest = rest.mid(cut);
    while (rest.startsWith(u' ')) rest.remove(0, 1);
  }
  return lines;
}

}  // namespace report
