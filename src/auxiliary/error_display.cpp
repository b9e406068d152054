#include "auxiliary/error_display.h"

#include <QTextStream>

#include "auxiliary/messages.h"
#include "data/firebird/db_error.h"

void ShowErrorDisplay(QWidget* parent, const QString& text) {
  // Also on the standard error stream, so an administrator finds it in a session log.
  QTextStream(stderr) << "Грешка: " << text << '\n';
  ShowMessage(parent, text, QStringLiteral("Грешка"), MessageIcon::Error);
}

void ShowErrorDisplay(QWidget* parent, const std::exception& error) {
  if (const auto* db = dynamic_cast<const DbError*>(&error)) {
    ShowErrorDisplay(parent, db->Message());
  } else {
    ShowErrorDisplay(parent, QString::fromUtf8(error.what()));
  }
}

TesaroApplication::TesaroApplication(int& argc, char** argv) : QApplication(argc, argv) {}

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
