// The export's "Запис" without the window.
#include "reports/ui/save_rep_export.h"

#include <QCoreApplication>

#include "core/desktop.h"
#include "core/messages.h"
#include "reports/docx_table_fit.h"
#include "reports/export_source.h"
#include "reports/ui/save_rep_prompts.h"
#include "reports/writer_docx.h"
#include "reports/writer_txt.h"
#include "reports/writer_xlsx.h"

namespace {
QString Caption() { return QStringLiteral("Експорт"); }

// Said before the file is asked for: a table that cannot keep its words whole on the page is
// refused (the clerk chooses fewer columns or landscape), and a chosen font size the table
// cannot have is named with the one it gets.
bool DocumentFitsThePage(QWidget* parent, const ExportTable& table, const ExportLayout& layout) {
  const DocxTableFit fit = FitDocxExport(table, layout);
  if (!fit.fits) {
    ShowMessage(parent, DocxTooWideMessage(layout.landscape), Caption(), MessageIcon::Warning);
    return false;
  }
  if (layout.fontSize > 0 && fit.halfPoints < 2 * layout.fontSize)
    ShowMessage(parent, DocxSmallerFontNote(layout.fontSize, fit.halfPoints), Caption(), MessageIcon::Information);
  return true;
}
}  // namespace

bool SaveExport(QWidget* parent, ExportSource& source, const ExportChoice& choice, const ExportProgress& progress) {
  // Checked before the file is asked for, for every format alike.
  if (TickedCount(choice.columns) == 0) {
    ShowMessage(parent, QString::fromUtf8(kNoColumnsMessage), Caption(), MessageIcon::Warning);
    return false;
  }
  const ExportTable table = BuildExportTable(choice.columns, choice.totals, source);
  if (choice.format == ExportFormat::Word && !DocumentFitsThePage(parent, table, choice.layout)) return false;
  const ExportFormatInfo info = FormatInfo(choice.format);
  const QString path = AskSaveFileName(parent, {info.filter, info.defaultExtension});
  if (path.isEmpty()) return false;

  try {
    switch (choice.format) {
      case ExportFormat::Text:
        WriteTextExport(path, table, choice.delimiter, progress);
        break;
      case ExportFormat::Word:
        WriteDocxExport(path, table, choice.layout, progress);
        break;
      case ExportFormat::Excel:
        WriteXlsxExport(path, table, choice.layout, progress);
        break;
    }
  } catch (const ExportError& error) {
    ShowMessage(parent, QString::fromUtf8(kWriteFailedMessage) + u'\n' + error.Message(), QStringLiteral("Грешка"),
                MessageIcon::Error);
    return false;
  }
  if (table.rowCount > 0) source.SetCurrentRow(table.rowCount - 1);
  if (choice.format == ExportFormat::Text || !OpenWithAssociatedProgram(path))
    ShowMessage(parent, QString::fromUtf8(kSavedMessage), Caption(), MessageIcon::Information);
  return true;
}
