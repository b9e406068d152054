// The service note as report data. Positions are millimetres from the printable area's
// top-left corner; the sentences flow (flowing_text.h), so each part starts below the one
// before it however many lines that took.
#include "reports/service_note_layout.h"

#include "core/clock.h"
#include "core/date_time.h"
#include "data/card_table.h"
#include "data/data_module.h"
#include "data/list_query.h"
#include "data/person_table.h"
#include "engine/report/text_measure.h"
#include "reports/annual_list_layout.h"
#include "reports/flowing_text.h"

using namespace report;

namespace {
constexpr double kLeftMargin = 25;  // room to file the note
constexpr double kOtherMargins = 20;
constexpr double kBodySize = 11;
constexpr double kLineSpacing = 6.5;     // the sentences' lines
constexpr double kHandwriting = 9;       // a line to write on by hand
constexpr double kParagraphIndent = 12.5;
constexpr double kShortestWritingLine = 30;  // shorter than this after "пред": the line starts below

QString DateWithYear(const QDate& date) { return FormatShortDate(date) + QStringLiteral(" г."); }

std::vector<TextRun> CertifyingSentence(const QString& office, const ServiceNoteValues& v) {
  std::vector<TextRun> runs = {
      {office + QStringLiteral(" дава настоящата служебна бележка на ")},
      {v.name, true},
      {QStringLiteral(", живущ(а) на адрес ")},
      {v.address, true},
      {QStringLiteral(", в уверение на това, че същият със семейството си е картотекиран под номер ")},
      {QString::number(v.regNum), true},
  };
  if (v.groupDate.isValid()) {
    runs.push_back({QStringLiteral(" от ")});
    runs.push_back({DateWithYear(v.groupDate), true});
  }
  runs.push_back({QStringLiteral(" в група ")});
  runs.push_back({QString::number(v.group), true});
  runs.push_back({QStringLiteral(", съгласно наредбата за разпределение и продажба на жилища.")});
  return runs;
}

QVariant ListValue(const ListQuery& list, int row, QLatin1StringView field) { return list.Value(row, QString(field)); }
}  // namespace

ServiceNoteValues ServiceNoteValuesOf(const ListQuery& list, int row) {
  ServiceNoteValues values;
  values.name = ListValue(list, row, person_table::kName).toString().simplified();
  values.address = ListValue(list, row, card_table::kAdress).toString().simplified();
  values.regNum = ListValue(list, row, card_table::kRegNum).toInt();
  values.groupDate = ListValue(list, row, card_table::kGrupaDate).toDateTime().date();
  values.group = ListValue(list, row, card_table::kGroup1).toInt();
  return values;
}

ServiceNoteSettings ServiceNoteSettingsOf(TDataModule1& data) {
  return {MunicipalityName(data).trimmed(), IssuingOffice(data), StoredNotePaper(data)};
}

QPageSize NotePageSize(NotePaper paper) {
  return QPageSize(paper == NotePaper::Letter ? QPageSize::Letter : QPageSize::A4);
}

Report ServiceNoteLayout(const ServiceNoteSettings& settings, const ServiceNoteValues& values, const QDate& today) {
  Report r;
  r.documentName = QStringLiteral("Служебна бележка");
  r.pageSize = NotePageSize(settings.paper);
  r.orientation = QPageLayout::Portrait;
  r.margins = QMarginsF(kLeftMargin, kOtherMargins, kOtherMargins, kOtherMargins);
  r.fontFamilies = PrintedDocumentFonts();
  r.pointSize = kBodySize;
  const double width = r.PrintableWidth();
  const FlowFont font{r.fontFamilies, kBodySize, r.fontStretch};
  const TextMeasure body(r.fontFamilies, kBodySize, false, r.fontStretch);
  auto baseline = [&](double top) { return top + body.Ascent() + 0.8; };

  std::vector<Item> items;
  auto add = [&items](const std::vector<Item>& more) { items.insert(items.end(), more.begin(), more.end()); };

  // Letterhead: the municipality over a rule; the title under it.
  const FlowedParagraph letterhead = FlowParagraph({{settings.municipality, true}}, font, 0, 0, width, 0, kLineSpacing);
  add(letterhead.labels);
  double y = letterhead.lineCount * kLineSpacing + 1;
  items.push_back(HorizontalLine(0, y, width, 0.3));
  y += 9;
  Item title = Label(0, y, QStringLiteral("СЛУЖЕБНА БЕЛЕЖКА"), 14, true);
  title.width = width;
  title.align = Align::Centre;
  items.push_back(title);
  y += 16;

  const FlowedParagraph certifies =
      FlowParagraph(CertifyingSentence(settings.office, values), font, 0, y, width, kParagraphIndent, kLineSpacing);
  add(certifies.labels);
  y += certifies.lineCount * kLineSpacing + 1.5;

  // For whom: the rest of the line after "пред" and one more line, to be filled in by hand.
  const FlowedParagraph purpose =
      FlowParagraph({{QStringLiteral("Настоящата служебна бележка се издава, за да послужи пред")}}, font, 0, y,
                    width, kParagraphIndent, kLineSpacing);
  add(purpose.labels);
  double lineTop = y + (purpose.lineCount - 1) * kLineSpacing;
  double lineStart = purpose.lastLineEnd + 2;
  if (width - lineStart < kShortestWritingLine) {
    lineTop += kHandwriting;
    lineStart = 0;
  }
  items.push_back(HorizontalLine(lineStart, baseline(lineTop), width - lineStart));
  lineTop += kHandwriting;
  items.push_back(HorizontalLine(0, baseline(lineTop), width));
  y = lineTop + 22;

  // The date on the left; the chief specialist signs on the right.
  items.push_back(Label(0, y, QStringLiteral("Дата: ") + DateWithYear(today)));
  const QString signer = QStringLiteral("Гл.Специалист:");
  const double signerLeft = width - 85;
  items.push_back(Label(signerLeft, y, signer));
  const double signatureStart = signerLeft + body.Width(signer) + 2;
  items.push_back(HorizontalLine(signatureStart, baseline(y), width - signatureStart));
  y += kLineSpacing;

  r.bands = {Band(BandKind::Title, y, items)};
  return r;
}

Report TSlBelForm::QRep(const ServiceNoteValues& values) const {
  return ServiceNoteLayout(settings_, values, Clock::Now().date());
}
