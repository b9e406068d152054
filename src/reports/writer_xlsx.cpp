// Writing the .xlsx export with libxlsxwriter in its constant-memory mode.
#include "reports/writer_xlsx.h"

#include <xlsxwriter.h>

#include <QDir>
#include <QFile>
#include <algorithm>
#include <cerrno>

#include "core/file_error_reason.h"
#include "core/output_file.h"

namespace {
constexpr int kDefaultFontSize = 11;
constexpr double kMaxWidth = 100;
constexpr uint8_t kA4Paper = 9;

struct Formats {
  lxw_format* title;
  lxw_format* header;
  lxw_format* cellLeft;
  lxw_format* cellRight;
  lxw_format* totalsLeft;
  lxw_format* totalsRight;
  lxw_format* footer;
  lxw_format* columnLeft;
  lxw_format* columnRight;
};

lxw_format* NewFormat(lxw_workbook* book, int fontSize, bool bold, bool border, bool text, uint8_t alignment) {
  lxw_format* f = workbook_add_format(book);
  if (fontSize > 0) format_set_font_size(f, fontSize);
  if (bold) format_set_bold(f);
  if (border) format_set_border(f, LXW_BORDER_THIN);
  if (text) format_set_num_format(f, "@");
  format_set_align(f, alignment);
  format_set_align(f, LXW_ALIGN_VERTICAL_TOP);
  format_set_text_wrap(f);
  return f;
}

Formats MakeFormats(lxw_workbook* book, int fontSize) {
  Formats f;
  f.title = NewFormat(book, fontSize, true, true, true, LXW_ALIGN_LEFT);
  f.header = NewFormat(book, fontSize, true, true, true, LXW_ALIGN_LEFT);
  f.cellLeft = NewFormat(book, fontSize, false, true, true, LXW_ALIGN_LEFT);
  f.cellRight = NewFormat(book, fontSize, false, true, true, LXW_ALIGN_RIGHT);
  f.totalsLeft = NewFormat(book, fontSize, true, true, true, LXW_ALIGN_LEFT);
  f.totalsRight = NewFormat(book, fontSize, true, true, true, LXW_ALIGN_RIGHT);
  f.footer = NewFormat(book, fontSize, false, true, true, LXW_ALIGN_LEFT);
  f.columnLeft = NewFormat(book, fontSize, false, false, true, LXW_ALIGN_LEFT);
  f.columnRight = NewFormat(book, fontSize, false, false, true, LXW_ALIGN_RIGHT);
  return f;
}

int LongestLine(const QString& text) {
  int longest = 0;
  for (const QStringView line : QStringView(text).split(u'\n')) longest = std::max<int>(longest, line.size());
  return longest;
}

[[noreturn]] void Fail(const QString& path, const QString& why) { throw ExportError(FileWriteError(path, why).Message()); }

// The library's failure in Bulgarian, with the system's reason when the failure left one.
QString XlsxReason(lxw_error error, int systemError) {
  QString reason;
  switch (error) {
    case LXW_ERROR_MEMORY_MALLOC_FAILED:
      reason = QStringLiteral("няма достатъчно памет");
      break;
    case LXW_ERROR_CREATING_XLSX_FILE:
      reason = QStringLiteral("файлът на книгата не може да бъде създаден");
      break;
    case LXW_ERROR_CREATING_TMPFILE:
    case LXW_ERROR_READING_TMPFILE:
      reason = QStringLiteral("временен файл в %1 не може да бъде записан или прочетен")
                   .arg(QDir::toNativeSeparators(QDir::tempPath()));
      break;
    case LXW_ERROR_ZIP_FILE_OPERATION:
    case LXW_ERROR_ZIP_PARAMETER_ERROR:
    case LXW_ERROR_ZIP_BAD_ZIP_FILE:
    case LXW_ERROR_ZIP_INTERNAL_ERROR:
    case LXW_ERROR_ZIP_FILE_ADD:
    case LXW_ERROR_ZIP_CLOSE:
      reason = QStringLiteral("архивът на книгата не може да бъде записан");
      break;
    case LXW_ERROR_MAX_STRING_LENGTH_EXCEEDED:
      reason = QStringLiteral("текст в клетка е по-дълъг от 32 767 знака");
      break;
    default:
      reason = QStringLiteral("грешка № %1 на библиотеката за таблици").arg(int(error));
      break;
  }
  if (systemError != 0) reason += QStringLiteral(" (%1)").arg(FileErrorReason(systemError));
  return reason;
}

void Check(lxw_error error, const QString& path) {
  if (error != LXW_NO_ERROR) Fail(path, XlsxReason(error, 0));
}

// Text over the merged cells of one row; a single column is written as a plain cell, since
// one cell cannot be merged with itself.
void MergedRow(lxw_worksheet* sheet, int row, int lastColumn, const QString& text, lxw_format* format,
               const QString& path) {
  const QByteArray utf8 = text.toUtf8();
  if (lastColumn == 0)
    Check(worksheet_write_string(sheet, row, 0, utf8.constData(), format), path);
  else
    Check(worksheet_merge_range(sheet, row, 0, row, lastColumn, utf8.constData(), format), path);
}
}  // namespace

QString ColumnLetters(int column) {
  QString letters;
  for (int n = column + 1; n > 0; n = (n - 1) / 26) letters.prepend(QChar(u'A' + (n - 1) % 26));
  return letters;
}

double XlsxColumnWidth(int chars, int fontSize) {
  const double scale = (fontSize > 0 ? fontSize : kDefaultFontSize) / static_cast<double>(kDefaultFontSize);
  return std::min(kMaxWidth, (std::max(chars, 2) + 2) * scale);
}

namespace {
// Writes the workbook into `file`; `path` is the file the clerk named, for messages.
void WriteWorkbook(const QString& file, const QString& path, const ExportTable& table, const ExportLayout& layout,
                   const ExportProgress& progress) {
  const QByteArray fileName = QFile::encodeName(file);
  const QByteArray tempFolder = QFile::encodeName(QDir::tempPath());
  lxw_workbook_options options = {};
  options.constant_memory = LXW_TRUE;
  options.tmpdir = const_cast<char*>(tempFolder.constData());
  lxw_workbook* book = workbook_new_opt(fileName.constData(), &options);
  if (!book) Fail(path, XlsxReason(LXW_ERROR_MEMORY_MALLOC_FAILED, 0));
  lxw_worksheet* sheet = workbook_add_worksheet(book, nullptr);
  const Formats f = MakeFormats(book, layout.fontSize);
  const int columnCount = static_cast<int>(table.columns.size());
  const int lastColumn = columnCount - 1;
  std::vector<int> longest(columnCount, 0);

  try {
    // Rows count from 0 here: the title in rows 0..N-1, the header in row N+1, data from N+2.
    const int titleRows = static_cast<int>(layout.title.size());
    for (int i = 0; i < titleRows; ++i) MergedRow(sheet, i, lastColumn, layout.title[i], f.title, path);
    const int headerRow = titleRows + 1;
    for (int c = 0; c < columnCount; ++c) {
      const QString& caption = table.columns[c].caption;
      longest[c] = std::max(longest[c], LongestLine(caption));
      Check(worksheet_write_string(sheet, headerRow, c, caption.toUtf8().constData(), f.header), path);
    }
    // The filter is set while its first row is the row being written: a sheet written in
    // constant memory refuses ranges that start above it.
    Check(worksheet_autofilter(sheet, headerRow, 0, headerRow + table.rowCount, lastColumn), path);
    int row = headerRow + 1;
    QStringList cells;
    auto writeCells = [&](const QStringList& texts, lxw_format* left, lxw_format* right) {
      for (int c = 0; c < columnCount; ++c) {
        const QString text = texts.value(c);
        longest[c] = std::max(longest[c], LongestLine(text));
        const QByteArray utf8 = text.toUtf8();
        Check(worksheet_write_string(sheet, row, c, utf8.constData(), table.columns[c].floating ? right : left), path);
      }
    };
    for (int r = 0; r < table.rowCount; ++r, ++row) {
      cells.clear();
      table.cells(r, cells);
      writeCells(cells, f.cellLeft, f.cellRight);
      if (progress) progress(r + 1);
    }
    const int lastDataRow = row - 1;
    if (!table.totals.isEmpty()) writeCells(table.totals, f.totalsLeft, f.totalsRight);
    if (!layout.footer.isEmpty()) MergedRow(sheet, lastDataRow + 2, lastColumn, layout.footer, f.footer, path);

    for (int c = 0; c < columnCount; ++c)
      Check(worksheet_set_column(sheet, c, c, XlsxColumnWidth(longest[c], layout.fontSize),
                                 table.columns[c].floating ? f.columnRight : f.columnLeft),
            path);
    // On paper: every page A4, all the columns on one page across, the title and the header
    // over each page's rows. On screen: the header stays in sight and filters the rows.
    if (layout.landscape)
      worksheet_set_landscape(sheet);
    else
      worksheet_set_portrait(sheet);
    worksheet_set_paper(sheet, kA4Paper);
    worksheet_fit_to_pages(sheet, 1, 0);
    Check(worksheet_repeat_rows(sheet, 0, headerRow), path);
    worksheet_freeze_panes(sheet, headerRow + 1, 0);
  } catch (...) {
    // The workbook must be freed; closing it is the only way. It writes the temporary file,
    // which the caller's OutputFile removes.
    workbook_close(book);
    throw;
  }
  // The library keeps the system's reason to itself; errno still holds it after a failure.
  errno = 0;
  const lxw_error closed = workbook_close(book);
  if (closed != LXW_NO_ERROR) Fail(path, XlsxReason(closed, errno));
}
}  // namespace

void WriteXlsxExport(const QString& path, const ExportTable& table, const ExportLayout& layout,
                     const ExportProgress& progress) {
  if (table.columns.empty()) Fail(path, QStringLiteral("няма избрани колони"));
  try {
    OutputFile file(path);
    WriteWorkbook(file.TemporaryPath(), path, table, layout, progress);
    file.Commit();
  } catch (const FileWriteError& error) {
    throw ExportError(error.Message());
  }
}
