// The export's "Запис" without the window.
#include "reports/ui/save_rep_export.h"

#include <QCoreApplication>

#include "core/desktop.h"
#include "core/messages.h"
#include "reports/export_source.h"
#include "reports/ui/save_rep_prompts.h"
#include "reports/writer_docx.h"
#include "reports/writer_txt.h"
#include "reports/writer_xlsx.h"

namespace {
QString Caption() { return QStringLiteral("Експорт"); }
}  // namespace

bool SaveExport(QWidget* parent, ExportSource& source, const ExportChoice& choice, const ExportProgress& progress) {
  // Checked before the file is asked for, for every format alike.
  if (TickedCount(choice.columns) == 0) {
    ShowMessage(parent, QString::fromUtf8(kNoColumnsMessage), Caption(), MessageIcon::Warning);
    return false;
  }
  const ExportFormatInfo info = FormatInfo(choice.format);
  const QString path = AskSaveFileName(parent, {info.filter, info.defaultExtension});
  if (path.isEmpty()) return false;

  const ExportTable table = BuildExportTable(choice.columns, choice.totals, source);
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
