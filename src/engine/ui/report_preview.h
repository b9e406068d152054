// The modal preview of a laid-out report: zoom, paging, printing through a printer dialog
// as often as the user likes (with a notification after each), saving as PDF or HTML.
#pragma once

#include <QDialog>
#include <QPrinter>
#include <functional>

#include "engine/report/report_page.h"

class QAction;
class QLabel;
class QPrintPreviewWidget;

namespace report {

class TReportPreview : public QDialog {
  Q_OBJECT
 public:
  // `afterPrint` runs each time the report has been sent to a printer.
  TReportPreview(LaidOutReport report, std::function<void()> afterPrint, QWidget* parent = nullptr);

  int PageCount() const { return static_cast<int>(report_.pages.size()); }
  int CurrentPage() const;  // 1-based
  const LaidOutReport& Report() const { return report_; }

  // The commands of the toolbar (also reachable from tests).
  void Print();     // printer dialog, then the pages; the notification after success
  void SavePdf();   // file dialog, then the PDF
  void SaveHtml();  // file dialog, then the HTML document
  void GoToPage(int page);  // 1-based, kept within the pages

 private:
  QAction* AddCommand(const QString& name, const QString& text, const std::function<void()>& run);
  void UpdatePageLabel();
  QString SuggestedPath(const QString& extension) const;

  LaidOutReport report_;
  std::function<void()> afterPrint_;
  QPrinter previewPrinter_;
  QPrintPreviewWidget* view_ = nullptr;
  QLabel* pageLabel_ = nullptr;
};

}  // namespace report
