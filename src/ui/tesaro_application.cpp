#include "ui/tesaro_application.h"

#include "core/error_display.h"
#include "ui/desktop_seams.h"

TesaroApplication::TesaroApplication(int& argc, char** argv) : QApplication(argc, argv) { InstallDesktopSeams(); }

bool TesaroApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    ShowErrorDisplay(activeWindow(), error);
  } catch (...) {
    ShowErrorDisplay(activeWindow(), QStringLiteral("Неочаквана грешка."));
  }
  return false;
}
