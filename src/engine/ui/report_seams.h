// The modal interactions of the report engine behind seams, in the style of the message
// seam: choosing a printer, choosing a file to save into, running the preview window.
// Tests replace them so nothing blocks; an empty function brings back the real dialog.
#pragma once

#include <QString>
#include <functional>

class QPrinter;
class QWidget;

namespace report {

class TReportPreview;

// Shows a printer dialog for the printer; true when the user chose to print.
using PrinterChooser = std::function<bool(QPrinter& printer, QWidget* parent)>;
void SetPrinterChooser(PrinterChooser chooser);
bool ChoosePrinter(QPrinter& printer, QWidget* parent);

// Asks for a file to save into; an empty text when the user cancelled.
using SaveFileChooser =
    std::function<QString(QWidget* parent, const QString& caption, const QString& suggestedPath, const QString& filter)>;
void SetSaveFileChooser(SaveFileChooser chooser);
QString ChooseSaveFile(QWidget* parent, const QString& caption, const QString& suggestedPath, const QString& filter);

// Runs the preview window modally and returns when it is closed.
using PreviewRunner = std::function<void(TReportPreview& preview)>;
void SetPreviewRunner(PreviewRunner runner);
void RunPreview(TReportPreview& preview);

}  // namespace report
