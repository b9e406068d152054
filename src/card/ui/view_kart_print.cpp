// Printing the picture of a window on the default printer.
#include "card/ui/view_kart_print.h"

#include <QPainter>
#include <QPrinter>

#include "core/error_display.h"

namespace {
FormImagePrinter& InstalledFormImagePrinter() {
  static FormImagePrinter printer;
  return printer;
}
}  // namespace

void SetFormImagePrinter(FormImagePrinter printer) { InstalledFormImagePrinter() = std::move(printer); }

void PrintFormImage(const QImage& image) {
  if (InstalledFormImagePrinter())
    InstalledFormImagePrinter()(image);
  else
    PrintImageOnDefaultPrinter(image);
}

void PrintImageOnDefaultPrinter(const QImage& image) {
  QPrinter printer(QPrinter::HighResolution);
  QPainter painter;
  if (image.isNull() || !printer.isValid() || !painter.begin(&printer)) {
    ShowErrorDisplay(nullptr, QStringLiteral("Няма достъпен принтер за печат на формата."));
    return;
  }
  const QRect page = painter.viewport();
  const QSize size = image.size().scaled(page.size(), Qt::KeepAspectRatio);
  painter.setViewport(page.x(), page.y(), size.width(), size.height());
  painter.setWindow(image.rect());
  painter.drawImage(0, 0, image);
  painter.end();
}
