// Writing the .docx export with libzip. The table's rows go to a temporary file as they are
// walked (a register of 100 000 rows makes a document part of some hundred megabytes), the
// column widths are known once every row was seen, and the document part is then assembled
// and stored in the package.
#include "reports/writer_docx.h"

#include <zip.h>

#include <QDir>
#include <QFile>
#include <QTemporaryFile>
#include <algorithm>
#include <cerrno>
#include <memory>

#include "core/file_error_reason.h"
#include "core/output_file.h"
#include "reports/docx_table_fit.h"

namespace {
using docx_page::kA4Long;
using docx_page::kA4Short;
using docx_page::kCellMargin;
using docx_page::kMargin;

const char* const kContentTypes =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
    "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
    "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
    "<Override PartName=\"/word/document.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/>"
    "<Override PartName=\"/word/styles.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.styles+xml\"/>"
    "</Types>";

const char* const kPackageRels =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
    "Target=\"word/document.xml\"/>"
    "</Relationships>";

const char* const kDocumentRels =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles\" Target=\"styles.xml\"/>"
    "</Relationships>";

// The document's size for the title and footer; the table's paragraphs have a style of their
// own, whose size is known only once every row was measured.
QByteArray Styles(int fontSize, int tableHalfPoints) {
  const QByteArray halfPoints = QByteArray::number(fontSize * 2);
  const QByteArray tableSize = QByteArray::number(tableHalfPoints);
  return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
         "<w:styles xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">"
         "<w:docDefaults><w:rPrDefault><w:rPr>"
         "<w:rFonts w:ascii=\"Times New Roman\" w:hAnsi=\"Times New Roman\" w:cs=\"Times New Roman\" "
         "w:eastAsia=\"Times New Roman\"/>"
         "<w:sz w:val=\"" + halfPoints + "\"/><w:szCs w:val=\"" + halfPoints + "\"/>"
         "<w:lang w:val=\"bg-BG\"/></w:rPr></w:rPrDefault>"
         "<w:pPrDefault><w:pPr><w:spacing w:after=\"0\" w:line=\"240\" w:lineRule=\"auto\"/></w:pPr></w:pPrDefault>"
         "</w:docDefaults>"
         "<w:style w:type=\"paragraph\" w:default=\"1\" w:styleId=\"Normal\"><w:name w:val=\"Normal\"/></w:style>"
         "<w:style w:type=\"paragraph\" w:customStyle=\"1\" w:styleId=\"TableText\"><w:name w:val=\"Table Text\"/>"
         "<w:basedOn w:val=\"Normal\"/><w:rPr><w:sz w:val=\"" + tableSize + "\"/><w:szCs w:val=\"" + tableSize + "\"/>"
         "</w:rPr></w:style>"
         "</w:styles>";
}

// A run's text: line breaks become <w:br/>, tabs <w:tab/>.
QByteArray Runs(const QString& text, bool bold) {
  QByteArray out = "<w:r>";
  if (bold) out += "<w:rPr><w:b/></w:rPr>";
  const QStringList lines = QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).split(u'\n');
  for (qsizetype l = 0; l < lines.size(); ++l) {
    if (l > 0) out += "<w:br/>";
    const QStringList pieces = lines[l].split(u'\t');
    for (qsizetype p = 0; p < pieces.size(); ++p) {
      if (p > 0) out += "<w:tab/>";
      if (!pieces[p].isEmpty()) out += "<w:t xml:space=\"preserve\">" + XmlText(pieces[p]) + "</w:t>";
    }
  }
  out += "</w:r>";
  return out;
}

QByteArray Paragraph(const QString& text, const char* alignment, bool bold = false, const char* style = nullptr) {
  QByteArray out = "<w:p>";
  if (alignment || style) {
    out += "<w:pPr>";
    if (style) out += QByteArray("<w:pStyle w:val=\"") + style + "\"/>";
    if (alignment) out += QByteArray("<w:jc w:val=\"") + alignment + "\"/>";
    out += "</w:pPr>";
  }
  if (!text.isEmpty()) out += Runs(text, bold);
  out += "</w:p>";
  return out;
}

QByteArray Row(const QStringList& cells, const std::vector<ExportColumnSpec>& columns, bool header, bool bold) {
  QByteArray out = header ? "<w:tr><w:trPr><w:tblHeader/></w:trPr>" : "<w:tr>";
  for (size_t c = 0; c < columns.size(); ++c) {
    out += "<w:tc>";
    out += Paragraph(cells.value(static_cast<qsizetype>(c)), columns[c].floating && !header ? "right" : nullptr, bold,
                     "TableText");
    out += "</w:tc>";
  }
  out += "</w:tr>";
  return out;
}

void Check(bool ok, const QString& path, const QString& why) {
  if (!ok) throw ExportError(FileWriteError(path, why).Message());
}

// A scratch file in the temporary folder that failed; errno still holds why.
QString ScratchReason() {
  const int why = errno;
  return QStringLiteral("временен файл в %1 не може да бъде записан (%2)")
      .arg(QDir::toNativeSeparators(QDir::tempPath()), FileErrorReason(why));
}

// The package library's failure in Bulgarian: the system's reason where it has one.
QString ZipReason(const zip_error_t* error) {
  if (zip_error_system_type(error) == ZIP_ET_SYS) return FileErrorReason(zip_error_code_system(error));
  switch (zip_error_code_zip(error)) {
    case ZIP_ER_MEMORY:
      return QStringLiteral("няма достатъчно памет");
    case ZIP_ER_ZLIB:
      return QStringLiteral("данните не можаха да бъдат компресирани");
    default:
      return QStringLiteral("грешка № %1 на библиотеката за архиви").arg(zip_error_code_zip(error));
  }
}

QString ZipReason(zip_t* zip) { return ZipReason(zip_get_error(zip)); }

struct ZipCloser {
  void operator()(zip_t* z) const {
    if (z) zip_discard(z);
  }
};

// Adds a part from memory; libzip reads it only when the package is closed, so the bytes must
// live until then.
void AddPart(zip_t* zip, const char* name, const char* data, qsizetype size, const QString& path) {
  zip_source_t* source = zip_source_buffer(zip, data, static_cast<zip_uint64_t>(size), 0);
  Check(source && zip_file_add(zip, name, source, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE) >= 0, path, ZipReason(zip));
}
}  // namespace

QByteArray XmlText(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (const QChar ch : text) {
    const char16_t c = ch.unicode();
    if (c == u'&') out += QStringLiteral("&amp;");
    else if (c == u'<') out += QStringLiteral("&lt;");
    else if (c == u'>') out += QStringLiteral("&gt;");
    else if (c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') continue;
    else if (c == 0xFFFE || c == 0xFFFF) continue;
    else out += ch;
  }
  return out.toUtf8();
}

namespace {
// Writes the package into `file`; `path` is the file the clerk named, for messages.
void WritePackage(const QString& file, const QString& path, const ExportTable& table, const ExportLayout& layout,
                  const ExportProgress& progress) {
  const int fontSize = DocxChosenFontSize(layout);
  const int pageWidth = layout.landscape ? kA4Long : kA4Short;
  const int pageHeight = layout.landscape ? kA4Short : kA4Long;
  const auto& columns = table.columns;

  // The rows, walked once, into a temporary file; the widths are measured on the way.
  QTemporaryFile rows(QDir::tempPath() + QStringLiteral("/tesaro-docx-XXXXXX"));
  Check(rows.open(), path, ScratchReason());
  DocxTableMeasure measure(columns.size());
  QByteArray buffer;
  auto flush = [&](bool force) {
    if (force || buffer.size() >= (1 << 20)) {
      Check(rows.write(buffer) == buffer.size() && rows.flush(), path, ScratchReason());
      buffer.clear();
    }
  };
  QStringList cells;
  for (const ExportColumnSpec& c : columns) cells << c.caption;
  measure.Add(cells, true);
  buffer += Row(cells, columns, true, true);
  for (int r = 0; r < table.rowCount; ++r) {
    cells.clear();
    table.cells(r, cells);
    measure.Add(cells, false);
    buffer += Row(cells, columns, false, false);
    flush(false);
    if (progress) progress(r + 1);
  }
  if (!table.totals.isEmpty()) {
    measure.Add(table.totals, true);
    buffer += Row(table.totals, columns, false, true);
  }
  flush(true);

  // A word or a number broken in the middle misreads (a date, a personal number): a table
  // that cannot keep them whole even at the smallest size is not written.
  const DocxTableFit fit = FitDocxColumns(measure.Needs(), fontSize, docx_page::UsableWidth(layout.landscape));
  if (!fit.fits) throw ExportError(DocxTooWideMessage(layout.landscape));
  int tableWidth = 0;
  for (int w : fit.widths) tableWidth += w;

  // The document part: title, table, footer and the page.
  QTemporaryFile document(QDir::tempPath() + QStringLiteral("/tesaro-docx-XXXXXX"));
  Check(document.open(), path, ScratchReason());
  QByteArray head =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
      "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><w:body>";
  for (const QString& line : layout.title) head += Paragraph(line, "center");
  for (int i = 0; i < 3; ++i) head += Paragraph(QString(), "center");
  head += "<w:tbl><w:tblPr><w:tblW w:w=\"" + QByteArray::number(tableWidth) + "\" w:type=\"dxa\"/><w:jc w:val=\"center\"/><w:tblBorders>";
  for (const char* side : {"top", "left", "bottom", "right", "insideH", "insideV"})
    head += QByteArray("<w:") + side + " w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"000000\"/>";
  head += "</w:tblBorders><w:tblLayout w:type=\"fixed\"/><w:tblCellMar><w:left w:w=\"" +
          QByteArray::number(kCellMargin) + "\" w:type=\"dxa\"/><w:right w:w=\"" + QByteArray::number(kCellMargin) +
          "\" w:type=\"dxa\"/></w:tblCellMar></w:tblPr><w:tblGrid>";
  for (int w : fit.widths)
    head += "<w:gridCol w:w=\"" + QByteArray::number(w) + "\"/>";
  head += "</w:tblGrid>";
  Check(document.write(head) == head.size(), path, ScratchReason());
  rows.seek(0);
  while (!rows.atEnd()) {
    const QByteArray chunk = rows.read(1 << 20);
    Check(document.write(chunk) == chunk.size(), path, ScratchReason());
  }
  QByteArray tail = "</w:tbl>";
  // A document may not end with a table: the footer, or an empty paragraph, follows it.
  if (layout.footer.isEmpty()) {
    tail += Paragraph(QString(), nullptr);
  } else {
    tail += Paragraph(QString(), nullptr);
    for (const QString& line : QString(layout.footer).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).split(u'\n'))
      tail += Paragraph(line, "center");
  }
  tail += "<w:sectPr><w:pgSz w:w=\"" + QByteArray::number(pageWidth) + "\" w:h=\"" + QByteArray::number(pageHeight) +
          "\"" + (layout.landscape ? " w:orient=\"landscape\"" : "") + "/><w:pgMar w:top=\"" +
          QByteArray::number(kMargin) + "\" w:right=\"" + QByteArray::number(kMargin) + "\" w:bottom=\"" +
          QByteArray::number(kMargin) + "\" w:left=\"" + QByteArray::number(kMargin) +
          "\" w:header=\"567\" w:footer=\"567\" w:gutter=\"0\"/></w:sectPr></w:body></w:document>";
  Check(document.write(tail) == tail.size() && document.flush(), path, ScratchReason());
  rows.close();

  // The package; libzip writes it beside the file it is given and renames it into place on close.
  int error = 0;
  std::unique_ptr<zip_t, ZipCloser> zip(zip_open(QFile::encodeName(file).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error));
  if (!zip) {
    zip_error_t why;
    zip_error_init_with_code(&why, error);
    const QString text = ZipReason(&why);
    zip_error_fini(&why);
    Check(false, path, text);
  }
  const QByteArray styles = Styles(fontSize, fit.halfPoints);
  AddPart(zip.get(), "[Content_Types].xml", kContentTypes, qstrlen(kContentTypes), path);
  AddPart(zip.get(), "_rels/.rels", kPackageRels, qstrlen(kPackageRels), path);
  AddPart(zip.get(), "word/_rels/document.xml.rels", kDocumentRels, qstrlen(kDocumentRels), path);
  AddPart(zip.get(), "word/styles.xml", styles.constData(), styles.size(), path);
  zip_source_t* body = zip_source_file(zip.get(), QFile::encodeName(document.fileName()).constData(), 0, -1);
  const zip_int64_t bodyIndex = body ? zip_file_add(zip.get(), "word/document.xml", body, ZIP_FL_ENC_UTF_8) : -1;
  Check(bodyIndex >= 0, path, ZipReason(zip.get()));
  // The table's XML is most of the package, and deflating it at the default level was a large
  // share of the export's time: the fastest level costs a somewhat larger file.
  Check(zip_set_file_compression(zip.get(), static_cast<zip_uint64_t>(bodyIndex), ZIP_CM_DEFLATE, 1) == 0, path,
        ZipReason(zip.get()));
  if (zip_close(zip.get()) != 0) Check(false, path, ZipReason(zip.get()));
  zip.release();
}
}  // namespace

void WriteDocxExport(const QString& path, const ExportTable& table, const ExportLayout& layout,
                     const ExportProgress& progress) {
  try {
    OutputFile file(path);
    WritePackage(file.TemporaryPath(), path, table, layout, progress);
    file.Commit();
  } catch (const FileWriteError& error) {
    throw ExportError(error.Message());
  }
}
