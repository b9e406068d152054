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

namespace {
constexpr int kDefaultFontSize = 12;
constexpr int kA4Short = 11906;  // twips
constexpr int kA4Long = 16838;
constexpr int kMargin = 567;     // 1 cm: a register list is wide
constexpr int kCellMargin = 57;  // 1 mm on either side of a cell
constexpr int kCellMargins = 2 * kCellMargin;
constexpr int kLongestCaptionWord = 8;  // a longer word of a caption may break

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

QByteArray Styles(int fontSize) {
  const QByteArray halfPoints = QByteArray::number(fontSize * 2);
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

QByteArray Paragraph(const QString& text, const char* alignment, bool bold = false) {
  QByteArray out = "<w:p>";
  if (alignment) out += QByteArray("<w:pPr><w:jc w:val=\"") + alignment + "\"/></w:pPr>";
  if (!text.isEmpty()) out += Runs(text, bold);
  out += "</w:p>";
  return out;
}

QByteArray Row(const QStringList& cells, const std::vector<ExportColumnSpec>& columns, bool header, bool bold) {
  QByteArray out = header ? "<w:tr><w:trPr><w:tblHeader/></w:trPr>" : "<w:tr>";
  for (size_t c = 0; c < columns.size(); ++c) {
    out += "<w:tc>";
    out += Paragraph(cells.value(static_cast<qsizetype>(c)), columns[c].floating && !header ? "right" : nullptr, bold);
    out += "</w:tc>";
  }
  out += "</w:tr>";
  return out;
}

// The longest line and the longest word of a text, in characters.
void Measure(const QString& text, int& longestLine, int& longestWord) {
  int line = 0, word = 0;
  for (const QChar ch : text) {
    if (ch == u'\n') {
      line = word = 0;
      continue;
    }
    ++line;
    word = (ch == u' ') ? 0 : word + 1;
    longestLine = std::max(longestLine, line);
    longestWord = std::max(longestWord, word);
  }
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

std::vector<int> DocxColumnWidths(const std::vector<int>& longestLine, const std::vector<int>& longestWord,
                                  int fontSize, int usableWidth) {
  // An average letter of a serif face (or the face a reader puts in its place) is up to 0.65 of
  // the font size wide; 20 twips per point.
  const double perChar = fontSize * 20 * 0.65;
  auto width = [&](int chars) { return static_cast<int>(std::max(chars, 2) * perChar) + kCellMargins; };
  std::vector<int> widest, narrowest;
  long widestTotal = 0, narrowestTotal = 0;
  for (size_t c = 0; c < longestLine.size(); ++c) {
    widest.push_back(width(longestLine[c]));
    narrowest.push_back(std::min(widest.back(), width(c < longestWord.size() ? longestWord[c] : 0)));
    widestTotal += widest.back();
    narrowestTotal += narrowest.back();
  }
  if (widestTotal <= usableWidth) return widest;
  if (narrowestTotal >= usableWidth) {
    // Not even the longest words fit side by side: every column gives way alike.
    for (int& w : narrowest) w = std::max(kCellMargins + 100, static_cast<int>(w * double(usableWidth) / narrowestTotal));
    return narrowest;
  }
  // Every column keeps its longest word whole; the room left goes to the columns in proportion
  // to what they still lack to hold their texts on one line.
  const double share = double(usableWidth - narrowestTotal) / double(widestTotal - narrowestTotal);
  std::vector<int> widths;
  for (size_t c = 0; c < widest.size(); ++c)
    widths.push_back(narrowest[c] + static_cast<int>((widest[c] - narrowest[c]) * share));
  return widths;
}

namespace {
// Writes the package into `file`; `path` is the file the clerk named, for messages.
void WritePackage(const QString& file, const QString& path, const ExportTable& table, const ExportLayout& layout,
                  const ExportProgress& progress) {
  const int fontSize = layout.fontSize > 0 ? layout.fontSize : kDefaultFontSize;
  const int pageWidth = layout.landscape ? kA4Long : kA4Short;
  const int pageHeight = layout.landscape ? kA4Short : kA4Long;
  const auto& columns = table.columns;

  // The rows, walked once, into a temporary file; the widths are measured on the way.
  QTemporaryFile rows(QDir::tempPath() + QStringLiteral("/tesaro-docx-XXXXXX"));
  Check(rows.open(), path, ScratchReason());
  std::vector<int> longestLine(columns.size(), 0);
  std::vector<int> longestWord(columns.size(), 0);
  auto measure = [&](const QStringList& cells) {
    for (size_t c = 0; c < columns.size(); ++c)
      Measure(cells.value(static_cast<qsizetype>(c)), longestLine[c], longestWord[c]);
  };
  QByteArray buffer;
  auto flush = [&](bool force) {
    if (force || buffer.size() >= (1 << 20)) {
      Check(rows.write(buffer) == buffer.size() && rows.flush(), path, ScratchReason());
      buffer.clear();
    }
  };
  QStringList cells;
  for (const ExportColumnSpec& c : columns) cells << c.caption;
  // A caption may wrap between its words: only its longest word counts.
  for (size_t c = 0; c < columns.size(); ++c) {
    int captionLine = 0, captionWord = 0;
    Measure(columns[c].caption, captionLine, captionWord);
    longestWord[c] = std::max(longestWord[c], std::min(captionWord, kLongestCaptionWord));
    longestLine[c] = std::max(longestLine[c], captionWord);
  }
  buffer += Row(cells, columns, true, true);
  for (int r = 0; r < table.rowCount; ++r) {
    cells.clear();
    table.cells(r, cells);
    measure(cells);
    buffer += Row(cells, columns, false, false);
    flush(false);
    if (progress) progress(r + 1);
  }
  if (!table.totals.isEmpty()) {
    measure(table.totals);
    buffer += Row(table.totals, columns, false, true);
  }
  flush(true);

  // The document part: title, table, footer and the page.
  QTemporaryFile document(QDir::tempPath() + QStringLiteral("/tesaro-docx-XXXXXX"));
  Check(document.open(), path, ScratchReason());
  QByteArray head =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
      "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><w:body>";
  for (const QString& line : layout.title) head += Paragraph(line, "center");
  for (int i = 0; i < 3; ++i) head += Paragraph(QString(), "center");
  head += "<w:tbl><w:tblPr><w:tblW w:w=\"0\" w:type=\"auto\"/><w:jc w:val=\"center\"/><w:tblBorders>";
  for (const char* side : {"top", "left", "bottom", "right", "insideH", "insideV"})
    head += QByteArray("<w:") + side + " w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"000000\"/>";
  head += "</w:tblBorders><w:tblLayout w:type=\"fixed\"/><w:tblCellMar><w:left w:w=\"" +
          QByteArray::number(kCellMargin) + "\" w:type=\"dxa\"/><w:right w:w=\"" + QByteArray::number(kCellMargin) +
          "\" w:type=\"dxa\"/></w:tblCellMar></w:tblPr><w:tblGrid>";
  for (int w : DocxColumnWidths(longestLine, longestWord, fontSize, pageWidth - 2 * kMargin))
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
  const QByteArray styles = Styles(fontSize);
  AddPart(zip.get(), "[Content_Types].xml", kContentTypes, qstrlen(kContentTypes), path);
  AddPart(zip.get(), "_rels/.rels", kPackageRels, qstrlen(kPackageRels), path);
  AddPart(zip.get(), "word/_rels/document.xml.rels", kDocumentRels, qstrlen(kDocumentRels), path);
  AddPart(zip.get(), "word/styles.xml", styles.constData(), styles.size(), path);
  zip_source_t* body = zip_source_file(zip.get(), QFile::encodeName(document.fileName()).constData(), 0, -1);
  Check(body && zip_file_add(zip.get(), "word/document.xml", body, ZIP_FL_ENC_UTF_8) >= 0, path, ZipReason(zip.get()));
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
