// The annual list report form "Годишен списък - компактен": its title, the printed mark the
// ranking reads after the preview, and the preview itself.
#pragma once

#include <QString>

#include "engine/report/report_model.h"

class QWidget;
namespace report {
class RowSource;
}

class TPrintForm1 {
 public:
  static const QString kCaption;           // "Годишен списък - компактен"
  static const QString kPlaceholderTitle;  // held until the first title is set; never printed

  void SetTitle(const QString& title) { title_ = title; }
  const QString& Title() const { return title_; }

  void ClearPrintedMark() { printed_ = false; }
  bool PrintedMark() const { return printed_; }
  // Called by the engine each time the report has been sent to a printer.
  void QRepAfterPrint() { printed_ = true; }

  // The report with the current title.
  report::Report QRep() const;

  // The engine's modal preview over the rows; printing from it sets the printed mark. A window
  // operation, defined with the report windows (reports/ui/print_form1_preview.cpp).
  void Preview(const report::RowSource& rows, QWidget* parent);

 private:
  QString title_ = kPlaceholderTitle;
  bool printed_ = false;
};
