#include "pdf_words.h"

#include <QProcess>
#include <QXmlStreamReader>

std::vector<PdfPage> PdfPages(const QString& path) {
  QProcess pdftotext;
  pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
  pdftotext.waitForFinished(30000);
  QXmlStreamReader xml(pdftotext.readAllStandardOutput());
  std::vector<PdfPage> pages;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    const auto a = xml.attributes();
    auto number = [&](const char* name) { return a.value(QLatin1String(name)).toDouble(); };
    if (xml.name() == QLatin1String("page")) {
      pages.push_back({QSizeF(number("width"), number("height")), {}});
    } else if (xml.name() == QLatin1String("word") && !pages.empty()) {
      const QRectF box(QPointF(number("xMin"), number("yMin")), QPointF(number("xMax"), number("yMax")));
      pages.back().words.push_back({xml.readElementText(), box});
    }
  }
  return pages;
}

QString WordsWithoutBlanks(const PdfPage& page) {
  QString text;
  for (const PdfWord& word : page.words) text += word.text;
  return text;
}

QString FirstOverlap(const PdfPage& page, double tolerance) {
  for (size_t i = 0; i < page.words.size(); ++i)
    for (size_t j = i + 1; j < page.words.size(); ++j) {
      const QRectF both = page.words[i].box.intersected(page.words[j].box);
      if (both.width() > tolerance && both.height() > tolerance)
        return QStringLiteral("„%1“ and „%2“ overlap").arg(page.words[i].text, page.words[j].text);
    }
  return {};
}
