// Band placement, text wrapping and band growth.
#include "engine/report/report_layout.h"

#include <algorithm>
#include <map>
#include <memory>

#include "engine/report/text_measure.h"

namespace report {

QPageLayout LaidOutReport::PageLayout() const {
  return QPageLayout(pageSize, orientation, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

namespace {

// A band made ready for one placement: its texts broken into lines, its height grown.
struct MeasuredBand {
  double height = 0;
  std::vector<PlacedText> texts;  // positions relative to the band's top-left
  std::vector<PlacedLine> lines;
};

class Layouter {
 public:
  Layouter(const Report& report, const RowSource& rows) : report_(report), rows_(rows) {
    const QSizeF page = report.PageSizeMm();
    left_ = report.margins.left();
    top_ = report.margins.top();
    width_ = report.PrintableWidth();
    const Band* footer = report.FindBand(BandKind::PageFooter);
    footerHeight_ = footer != nullptr ? footer->height : 0;
    bottom_ = page.height() - report.margins.bottom() - footerHeight_;
    out_.documentName = report.documentName;
    out_.pageSize = report.pageSize;
    out_.orientation = report.orientation;
    out_.fontFamilies = report.fontFamilies;
    out_.fontStretch = report.fontStretch;
  }

  LaidOutReport Run() {
    StartPage(true);
    Place(BandKind::Title, -1);
    Place(BandKind::ColumnHeader, -1);

    const Band* group = report_.FindBand(BandKind::GroupHeader);
    const Band* detail = report_.FindBand(BandKind::Detail);
    QString previousGroup;
    for (int row = 0; row < rows_.RowCount(); ++row) {
      bool newGroup = false;
      if (group != nullptr) {
        const QString value = rows_.Text(row, group->groupField);
        newGroup = row == 0 || value != previousGroup;
        previousGroup = value;
      }
      if (detail != nullptr) ++recordCount_;  // a record count in the detail shows this row's number
      const MeasuredBand detailBand = detail != nullptr ? Measure(*detail, row) : MeasuredBand{};
      if (newGroup) {
        const MeasuredBand header = Measure(*group, row);
        // Kept with its first row: both move to a new page when they do not fit together.
        if (!Fits(header.height + detailBand.height)) StartPage(false);
        Put(header);
      }
      if (detail != nullptr) {
        if (!Fits(detailBand.height)) StartPage(false);
        Put(detailBand);
      }
    }
    out_.recordCount = recordCount_;
    Place(BandKind::Summary, -1);
    FinishPage();
    return std::move(out_);
  }

 private:
  const TextMeasure& MeasureFor(double pointSize, bool bold) {
    auto& slot = measures_[{pointSize, bold}];
    if (!slot) slot = std::make_unique<TextMeasure>(report_.fontFamilies, pointSize, bold, report_.fontStretch);
    return *slot;
  }

  static QString WithNumber(const QString& pattern, int number) {
    const QString digits = QString::number(number);
    return pattern.isEmpty() ? digits : QString(pattern).replace(QStringLiteral("%1"), digits);
  }

  QString ItemText(const Item& item, int row) const {
    switch (item.kind) {
      case ItemKind::Label:
        return item.text;
      case ItemKind::Field: {
        QString text = item.prefix + (row >= 0 ? rows_.Text(row, item.text) : QString());
        if (item.maxChars > 0) text = text.left(item.maxChars);
        return text;
      }
      case ItemKind::PageNumber:
        return WithNumber(item.text, static_cast<int>(out_.pages.size()));
      case ItemKind::RecordCount:
        return WithNumber(item.text, recordCount_);
      case ItemKind::Line:
        break;
    }
    return {};
  }

  MeasuredBand Measure(const Band& band, int row) {
    MeasuredBand result;
    double growth = 0;
    double lowestBottom = 0;
    double topPadding = band.height;
    for (const Item& item : band.items) {
      if (item.kind == ItemKind::Line) {
        const double length = item.width > 0 ? item.width : width_ - item.left;
        result.lines.push_back({QLineF(item.left, item.top, item.left + length, item.top), item.thickness});
        continue;
      }
      const double pointSize = item.pointSize > 0 ? item.pointSize : report_.pointSize;
      const TextMeasure& measure = MeasureFor(pointSize, item.bold);
      const double room = std::max(1.0, item.width > 0 ? item.width : width_ - item.left);
      const QStringList lines = measure.Break(ItemText(item, row), room);
      double y = item.top;
      for (const QString& line : lines) {
        PlacedText text;
        text.text = line;
        text.width = measure.Width(line);
        text.pointSize = pointSize;
        text.bold = item.bold;
        double x = item.left;
        if (item.align == Align::Centre) x += (room - text.width) / 2;
        if (item.align == Align::Right) x += room - text.width;
        text.top = y;
        text.origin = QPointF(x, y + measure.Ascent());
        if (!line.isEmpty()) result.texts.push_back(text);
        y += measure.LineSpacing();
      }
      growth = std::max(growth, (lines.size() - 1) * measure.LineSpacing());
      lowestBottom = std::max(lowestBottom, y);
      topPadding = std::min(topPadding, item.top);
    }
    switch (band.growth) {
      case Growth::ExtraLines:
        result.height = band.height + growth;
        break;
      case Growth::ToFit:
        result.height = std::max(band.height, lowestBottom + topPadding);
        break;
    }
    return result;
  }

  bool Fits(double height) const { return y_ + height <= bottom_ + 1e-6 || pageIsEmpty_; }

  void Put(const MeasuredBand& band, bool countsAsContent = true) {
    Page& page = out_.pages.back();
    for (PlacedText text : band.texts) {
      text.origin += QPointF(left_, y_);
      text.top += y_;
      page.texts.push_back(std::move(text));
    }
    for (PlacedLine line : band.lines) {
      line.line.translate(left_, y_);
      page.lines.push_back(line);
    }
    y_ += band.height;
    if (countsAsContent) pageIsEmpty_ = false;
  }

  void Place(BandKind kind, int row) {
    const Band* band = report_.FindBand(kind);
    if (band == nullptr) return;
    const MeasuredBand measured = Measure(*band, row);
    if (!Fits(measured.height)) StartPage(false);
    Put(measured);
  }

  void StartPage(bool first) {
    if (!out_.pages.empty()) FinishPage();
    out_.pages.emplace_back();
    y_ = top_;
    pageIsEmpty_ = true;
    if (const Band* header = report_.FindBand(BandKind::PageHeader)) Put(Measure(*header, -1), false);
    if (!first)
      if (const Band* columns = report_.FindBand(BandKind::ColumnHeader)) Put(Measure(*columns, -1), false);
  }

  void FinishPage() {
    const Band* footer = report_.FindBand(BandKind::PageFooter);
    if (footer == nullptr) return;
    y_ = bottom_;
    Put(Measure(*footer, -1), false);
  }

  const Report& report_;
  const RowSource& rows_;
  LaidOutReport out_;
  std::map<std::pair<double, bool>, std::unique_ptr<TextMeasure>> measures_;
  double left_ = 0, top_ = 0, width_ = 0, bottom_ = 0, footerHeight_ = 0;
  double y_ = 0;
  bool pageIsEmpty_ = true;  // nothing but the page's own header yet: any band goes here
  int recordCount_ = 0;
};

}  // namespace

LaidOutReport LayOut(const Report& report, const RowSource& rows) { return Layouter(report, rows).Run(); }

}  // namespace report
