// Reading an exported .docx or .xlsx back in tests: a part of the zip package and the
// elements of its XML.
#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

// The bytes of the package's part `name`; empty when the package or the part is missing.
QByteArray ReadPackagePart(const QString& path, const QString& name);
QStringList PackagePartNames(const QString& path);

// The cells of a worksheet part: reference ("B4") to text, and reference to style index.
struct SheetCells {
  QMap<QString, QString> text;
  QMap<QString, int> style;
  QMap<QString, QString> type;  // the cell's "t" attribute
  QStringList merges;           // "A1:C1"
};
SheetCells ReadSheetCells(const QByteArray& sheetXml);
// Whether cell style `index` (of styles.xml's cellXfs) has a bold font.
bool StyleIsBold(const QByteArray& stylesXml, int index);

// The paragraphs and table rows of a WordprocessingML body, in order.
struct DocxBody {
  struct Paragraph {
    QString text;
    QString alignment;  // w:jc, empty when none
  };
  std::vector<Paragraph> before;  // paragraphs before the table
  std::vector<std::vector<Paragraph>> rows;  // the table's cells, row by row
  std::vector<Paragraph> after;   // paragraphs after the table
};
DocxBody ReadDocxBody(const QByteArray& documentXml);
