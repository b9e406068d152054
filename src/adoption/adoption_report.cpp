#include "adoption/adoption_report.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>

#include "core/output_file.h"

namespace {
struct Part {
  QString title;
  QStringList lines;
};

QStringList RegNumLines(const QList<qint64>& regNums) {
  QStringList numbers;
  for (int i = 0; i < regNums.size() && i < kListedProblemLines; ++i) numbers << QString::number(regNums.at(i));
  QString line = QStringLiteral("Рег. номера: ") + numbers.join(QStringLiteral(", "));
  if (regNums.size() > kListedProblemLines) line += QStringLiteral(" и още %1").arg(regNums.size() - kListedProblemLines);
  return {line};
}

// The report as titled parts, shared by the text and the document.
std::vector<Part> Parts(const AdoptionReport& r) {
  std::vector<Part> parts;
  parts.push_back({QStringLiteral("Данни"),
                   {QStringLiteral("Картони: %1").arg(r.data.cards), QStringLiteral("Членове: %1").arg(r.data.persons),
                    QStringLiteral("Редове в историята на действията: %1").arg(r.data.historyLines)}});
  parts.push_back({QStringLiteral("Схема: добавено и разширено"),
                   r.schemaChanges.isEmpty() ? QStringList{QStringLiteral("Нищо; схемата е като на програмата.")}
                                             : r.schemaChanges});
  if (!r.schemaNotes.isEmpty()) parts.push_back({QStringLiteral("Схема: разлики, оставени както са"), r.schemaNotes});
  if (!r.generatorsMoved.isEmpty()) parts.push_back({QStringLiteral("Генератори"), r.generatorsMoved});
  if (!r.codeRowsAdded.isEmpty()) {
    QStringList rows;
    for (int row : r.codeRowsAdded) rows << QString::number(row);
    parts.push_back({QStringLiteral("Номенклатури"),
                     {QStringLiteral("Добавени редове %1 с началните номенклатури на програмата.").arg(rows.join(u','))}});
  }
  parts.push_back({QStringLiteral("Брой членове (FAMILY_MEMBER_COUNT)"),
                   r.memberCountsFixed.isEmpty()
                       ? QStringList{QStringLiteral("Верен във всички картони.")}
                       : QStringList{QStringLiteral("Грешен в %1 картона; преброен наново.").arg(r.memberCountsFixed.size())} +
                             RegNumLines(r.memberCountsFixed)});
  if (r.data.problems.empty()) {
    parts.push_back({QStringLiteral("Проверка на данните"), {QStringLiteral("Не са намерени проблеми.")}});
  } else {
    for (const DataCheckSection& section : r.data.problems)
      parts.push_back({QStringLiteral("%1: %2 (оставени както са)").arg(section.title).arg(section.count), section.lines});
  }
  if (!r.euro.isEmpty()) parts.push_back({QStringLiteral("Суми"), r.euro});
  return parts;
}

QString Heading(const AdoptionReport& r) {
  return QStringLiteral("Приемане на регистър: %1 → %2").arg(r.source, r.target);
}
}  // namespace

QString AdoptionReportText(const AdoptionReport& report) {
  QString text = Heading(report) + u'\n';
  for (const Part& part : Parts(report)) {
    text += u'\n' + part.title + QStringLiteral(":\n");
    for (const QString& line : part.lines) text += QStringLiteral("  ") + line + u'\n';
  }
  return text;
}

void WriteAdoptionReportPdf(const AdoptionReport& report, const QString& path) {
  QString html = QStringLiteral("<h2>%1</h2><p>%2</p>")
                     .arg(Heading(report).toHtmlEscaped(),
                          report.finished.toString(QStringLiteral("dd.MM.yyyy hh:mm")).toHtmlEscaped());
  for (const Part& part : Parts(report)) {
    html += QStringLiteral("<h3>%1</h3><ul>").arg(part.title.toHtmlEscaped());
    for (const QString& line : part.lines) html += QStringLiteral("<li>%1</li>").arg(line.toHtmlEscaped());
    html += QStringLiteral("</ul>");
  }
  OutputFile file(path);
  {
    QPdfWriter writer(&file.Device());
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                                     QPageLayout::Millimeter));
    writer.setTitle(QStringLiteral("Приемане на регистър"));
    writer.setCreator(QStringLiteral("Tesaro"));
    QTextDocument document;
    document.setDefaultFont(QFont(QStringLiteral("DejaVu Sans"), 10));
    document.setHtml(html);
    // The writer ignores write errors; the file's device keeps them and Commit names them.
    document.print(&writer);
  }
  file.Commit();
}
