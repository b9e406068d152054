// The preview window over QPrintPreviewWidget, drawing with the engine's own painter.
#include "engine/ui/report_preview.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QToolBar>
#include <QVBoxLayout>

#include "core/messages.h"
#include "core/output_file.h"
#include "engine/report/report_html.h"
#include "engine/report/report_painter.h"
#include "engine/ui/report_printing.h"
#include "engine/ui/report_seams.h"
#include "engine/ui/window_placement.h"

namespace report {

TReportPreview::TReportPreview(LaidOutReport report, std::function<void()> afterPrint, QWidget* parent)
    : QDialog(parent), report_(std::move(report)), afterPrint_(std::move(afterPrint)),
      previewPrinter_(QPrinter::ScreenResolution) {
  setObjectName(QStringLiteral("ReportPreview"));
  setWindowTitle(QStringLiteral("Преглед на печата"));
  setModal(true);
  resize(900, 1000);

  previewPrinter_.setFullPage(true);
  previewPrinter_.setPageLayout(report_.PageLayout());
  previewPrinter_.setDocName(report_.documentName);

  view_ = new QPrintPreviewWidget(&previewPrinter_, this);
  view_->setObjectName(QStringLiteral("PreviewPages"));
  connect(view_, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter* printer) {
    QPainter painter(printer);
    for (int index = 0; index < PageCount(); ++index) {
      if (index > 0) printer->newPage();
      PaintPage(painter, report_, index);
    }
  });
  connect(view_, &QPrintPreviewWidget::previewChanged, this, [this] { UpdatePageLabel(); });

  auto* toolbar = new QToolBar(this);
  toolbar->setObjectName(QStringLiteral("PreviewToolbar"));
  AddCommand(QStringLiteral("PrintCommand"), QStringLiteral("Печат..."), [this] { Print(); });
  AddCommand(QStringLiteral("SavePdfCommand"), QStringLiteral("Запис като PDF..."), [this] { SavePdf(); });
  AddCommand(QStringLiteral("SaveHtmlCommand"), QStringLiteral("Запис като HTML..."), [this] { SaveHtml(); });
  toolbar->addActions(actions());
  toolbar->addSeparator();
  toolbar->addAction(AddCommand(QStringLiteral("ZoomInCommand"), QStringLiteral("Увеличаване"), [this] { view_->zoomIn(); }));
  toolbar->addAction(AddCommand(QStringLiteral("ZoomOutCommand"), QStringLiteral("Намаляване"), [this] { view_->zoomOut(); }));
  toolbar->addAction(AddCommand(QStringLiteral("FitWidthCommand"), QStringLiteral("По ширина"),
                                [this] { view_->setZoomMode(QPrintPreviewWidget::FitToWidth); }));
  toolbar->addAction(AddCommand(QStringLiteral("WholePageCommand"), QStringLiteral("Цяла страница"),
                                [this] { view_->setZoomMode(QPrintPreviewWidget::FitInView); }));
  toolbar->addSeparator();
  toolbar->addAction(AddCommand(QStringLiteral("FirstPageCommand"), QStringLiteral("|<"), [this] { GoToPage(1); }));
  toolbar->addAction(AddCommand(QStringLiteral("PreviousPageCommand"), QStringLiteral("<"),
                                [this] { GoToPage(CurrentPage() - 1); }));
  pageLabel_ = new QLabel(this);
  pageLabel_->setObjectName(QStringLiteral("PageLabel"));
  toolbar->addWidget(pageLabel_);
  toolbar->addAction(AddCommand(QStringLiteral("NextPageCommand"), QStringLiteral(">"),
                                [this] { GoToPage(CurrentPage() + 1); }));
  toolbar->addAction(AddCommand(QStringLiteral("LastPageCommand"), QStringLiteral(">|"), [this] { GoToPage(PageCount()); }));
  toolbar->addSeparator();
  toolbar->addAction(AddCommand(QStringLiteral("CloseCommand"), QStringLiteral("Затваряне"), [this] { reject(); }));

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(toolbar);
  layout->addWidget(view_, 1);
  view_->setZoomMode(QPrintPreviewWidget::FitToWidth);
  view_->updatePreview();
  UpdatePageLabel();
  // Wide enough for every command of the toolbar, so none hides behind its extension button.
  resize(qMax(width(), toolbar->sizeHint().width()), height());
  RememberWindowPlacement(this, QStringLiteral("PreviewWindow"));
}

QAction* TReportPreview::AddCommand(const QString& name, const QString& text, const std::function<void()>& run) {
  auto* action = new QAction(text, this);
  action->setObjectName(name);
  connect(action, &QAction::triggered, this, run);
  addAction(action);
  return action;
}

int TReportPreview::CurrentPage() const { return view_->currentPage(); }

void TReportPreview::GoToPage(int page) {
  view_->setCurrentPage(qBound(1, page, PageCount()));
  UpdatePageLabel();
}

void TReportPreview::UpdatePageLabel() {
  pageLabel_->setText(QStringLiteral(" Страница %1 от %2 ").arg(CurrentPage()).arg(PageCount()));
}

QString TReportPreview::SuggestedPath(const QString& extension) const {
  QString name = report_.documentName.isEmpty() ? QStringLiteral("report") : report_.documentName;
  // Characters file systems refuse become blanks; a long title is shortened.
  for (QChar& c : name)
    if (QStringLiteral("/\\:*?\"<>|").contains(c)) c = u' ';
  return QDir::home().filePath(name.left(60).trimmed() + extension);
}

void TReportPreview::Print() {
  QPrinter printer(QPrinter::HighResolution);
  printer.setFullPage(true);
  printer.setPageLayout(report_.PageLayout());
  printer.setDocName(report_.documentName);
  printer.setFromTo(1, PageCount());
  if (!ChoosePrinter(printer, this)) return;
  bool printed = false;
  try {
    printed = PrintPages(printer, report_);
  } catch (const FileWriteError& error) {  // printed into a file that could not be written
    ShowMessage(this, error.Message(), QStringLiteral("Грешка"), MessageIcon::Error);
    return;
  }
  if (!printed) {
    ShowMessage(this, QStringLiteral("Отпечатването не можа да започне. Проверете избрания принтер."),
                QStringLiteral("Грешка"), MessageIcon::Error);
    return;
  }
  if (afterPrint_) afterPrint_();
}

void TReportPreview::SavePdf() {
  const QString path = ChooseSaveFile(this, QStringLiteral("Запис като PDF"), SuggestedPath(QStringLiteral(".pdf")),
                                      QStringLiteral("PDF документ (*.pdf)"));
  if (path.isEmpty()) return;
  try {
    WritePdf(report_, path);
  } catch (const FileWriteError& error) {
    ShowMessage(this, error.Message(), QStringLiteral("Грешка"), MessageIcon::Error);
  }
}

void TReportPreview::SaveHtml() {
  const QString path = ChooseSaveFile(this, QStringLiteral("Запис като HTML"), SuggestedPath(QStringLiteral(".html")),
                                      QStringLiteral("HTML документ (*.html *.htm)"));
  if (path.isEmpty()) return;
  try {
    WriteHtml(report_, path);
  } catch (const FileWriteError& error) {
    ShowMessage(this, error.Message(), QStringLiteral("Грешка"), MessageIcon::Error);
  }
}

}  // namespace report
