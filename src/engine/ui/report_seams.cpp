// The real dialogs behind the report engine's seams.
#include "engine/ui/report_seams.h"

#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>

#include "engine/ui/report_preview.h"

namespace report {
namespace {
PrinterChooser& PrinterChooserSlot() {
  static PrinterChooser chooser;
  return chooser;
}
SaveFileChooser& SaveFileChooserSlot() {
  static SaveFileChooser chooser;
  return chooser;
}
PreviewRunner& PreviewRunnerSlot() {
  static PreviewRunner runner;
  return runner;
}
}  // namespace

void SetPrinterChooser(PrinterChooser chooser) { PrinterChooserSlot() = std::move(chooser); }

bool ChoosePrinter(QPrinter& printer, QWidget* parent) {
  if (PrinterChooserSlot()) return PrinterChooserSlot()(printer, parent);
  QPrintDialog dialog(&printer, parent);
  return dialog.exec() == QDialog::Accepted;
}

void SetSaveFileChooser(SaveFileChooser chooser) { SaveFileChooserSlot() = std::move(chooser); }

QString ChooseSaveFile(QWidget* parent, const QString& caption, const QString& suggestedPath, const QString& filter) {
  if (SaveFileChooserSlot()) return SaveFileChooserSlot()(parent, caption, suggestedPath, filter);
  return QFileDialog::getSaveFileName(parent, caption, suggestedPath, filter);
}

void SetPreviewRunner(PreviewRunner runner) { PreviewRunnerSlot() = std::move(runner); }

void RunPreview(TReportPreview& preview) {
  if (PreviewRunnerSlot()) {
    PreviewRunnerSlot()(preview);
    return;
  }
  preview.exec();
}

}  // namespace report
