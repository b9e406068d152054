// Reading exported packages back with libzip and QXmlStreamReader.
#include "export_package_reader.h"

#include <zip.h>

#include <QFile>
#include <QXmlStreamReader>

QByteArray ReadPackagePart(const QString& path, const QString& name) {
  int error = 0;
  zip_t* zip = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
  if (!zip) return {};
  QByteArray data;
  zip_stat_t stat;
  if (zip_stat(zip, name.toUtf8().constData(), 0, &stat) == 0) {
    if (zip_file_t* file = zip_fopen(zip, name.toUtf8().constData(), 0)) {
      data.resize(static_cast<qsizetype>(stat.size));
      const zip_int64_t read = zip_fread(file, data.data(), stat.size);
      data.resize(read < 0 ? 0 : static_cast<qsizetype>(read));
      zip_fclose(file);
    }
  }
  zip_discard(zip);
  return data;
}

QStringList PackagePartNames(const QString& path) {
  int error = 0;
  zip_t* zip = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
  if (!zip) return {};
  QStringList names;
  for (zip_int64_t i = 0; i < zip_get_num_entries(zip, 0); ++i) names << QString::fromUtf8(zip_get_name(zip, i, 0));
  zip_discard(zip);
  return names;
}

SheetCells ReadSheetCells(const QByteArray& sheetXml) {
  SheetCells cells;
  QXmlStreamReader xml(sheetXml);
  QString current;
  while (!xml.atEnd()) {
    xml.readNext();
    if (xml.isStartElement()) {
      if (xml.name() == QLatin1String("c")) {
        current = xml.attributes().value(QLatin1String("r")).toString();
        cells.style[current] = xml.attributes().value(QLatin1String("s")).toInt();
        cells.type[current] = xml.attributes().value(QLatin1String("t")).toString();
        cells.text[current] = QString();
      } else if (xml.name() == QLatin1String("t") && !current.isEmpty()) {
        cells.text[current] += xml.readElementText();
      } else if (xml.name() == QLatin1String("mergeCell")) {
        cells.merges << xml.attributes().value(QLatin1String("ref")).toString();
      }
    } else if (xml.isEndElement() && xml.name() == QLatin1String("c")) {
      current.clear();
    }
  }
  return cells;
}

bool StyleIsBold(const QByteArray& stylesXml, int index) {
  QXmlStreamReader xml(stylesXml);
  std::vector<bool> fontBold;
  std::vector<int> xfFont;
  QString section;
  while (!xml.atEnd()) {
    xml.readNext();
    if (xml.isStartElement()) {
      const auto name = xml.name();
      if (name == QLatin1String("fonts") || name == QLatin1String("cellXfs") || name == QLatin1String("cellStyleXfs"))
        section = name.toString();
      else if (name == QLatin1String("font") && section == QLatin1String("fonts"))
        fontBold.push_back(false);
      else if (name == QLatin1String("b") && section == QLatin1String("fonts") && !fontBold.empty())
        fontBold.back() = true;
      else if (name == QLatin1String("xf") && section == QLatin1String("cellXfs"))
        xfFont.push_back(xml.attributes().value(QLatin1String("fontId")).toInt());
    } else if (xml.isEndElement() &&
               (xml.name() == QLatin1String("fonts") || xml.name() == QLatin1String("cellXfs") ||
                xml.name() == QLatin1String("cellStyleXfs"))) {
      section.clear();
    }
  }
  if (index < 0 || index >= static_cast<int>(xfFont.size())) return false;
  const int font = xfFont[index];
  return font >= 0 && font < static_cast<int>(fontBold.size()) && fontBold[font];
}

DocxBody ReadDocxBody(const QByteArray& documentXml) {
  DocxBody body;
  QXmlStreamReader xml(documentXml);
  bool inTable = false;
  bool tableSeen = false;
  int depth = 0;  // paragraph nesting guard
  DocxBody::Paragraph paragraph;
  std::vector<DocxBody::Paragraph> cellText;
  while (!xml.atEnd()) {
    xml.readNext();
    const auto name = xml.name();
    if (xml.isStartElement()) {
      if (name == QLatin1String("tbl")) {
        inTable = true;
      } else if (name == QLatin1String("tr")) {
        body.rows.emplace_back();
      } else if (name == QLatin1String("p")) {
        paragraph = {};
        ++depth;
      } else if (name == QLatin1String("jc") && depth > 0) {
        paragraph.alignment = xml.attributes().value(QLatin1String("w:val")).toString();
      } else if (name == QLatin1String("t")) {
        paragraph.text += xml.readElementText();
      } else if (name == QLatin1String("br")) {
        paragraph.text += u'\n';
      }
    } else if (xml.isEndElement()) {
      if (name == QLatin1String("tbl")) {
        inTable = false;
        tableSeen = true;
      } else if (name == QLatin1String("p")) {
        --depth;
        if (inTable)
          body.rows.back().push_back(paragraph);
        else
          (tableSeen ? body.after : body.before).push_back(paragraph);
      }
    }
  }
  return body;
}
