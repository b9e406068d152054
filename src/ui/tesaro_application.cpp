#include "ui/tesaro_application.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "core/error_display.h"
#include "ui/desktop_seams.h"

bool UseBulgarian(QApplication& app) {
  const QLocale bulgarian(QLocale::Bulgarian, QLocale::Bulgaria);
  QLocale::setDefault(bulgarian);
  auto* translator = new QTranslator(&app);
  if (!translator->load(bulgarian, QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  return QCoreApplication::installTranslator(translator);
}

TesaroApplication::TesaroApplication(int& argc, char** argv) : QApplication(argc, argv) {
  // No display name: the platform would add it to every caption ("Грешка — Tesaro"), and the
  // captions stand as the program gives them.
  setApplicationName(QStringLiteral("Tesaro"));
  // The installed menu entry (tesaro.desktop): the desktop shows its icon for the windows.
  setDesktopFileName(QStringLiteral("tesaro"));
  UseBulgarian(*this);
  InstallDesktopSeams();
}

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
