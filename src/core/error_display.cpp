#include "core/error_display.h"

#include <QTextStream>

#include "core/app_error.h"
#include "core/messages.h"

void ShowErrorDisplay(QWidget* parent, const QString& text) {
  // Also on the standard error stream, so an administrator finds it in a session log.
  QTextStream(stderr) << "Грешка: " << text << '\n';
  ShowMessage(parent, text, QStringLiteral("Грешка"), MessageIcon::Error);
}

void ShowErrorDisplay(QWidget* parent, const std::exception& error) {
  if (const auto* known = dynamic_cast<const AppError*>(&error)) {
    ShowErrorDisplay(parent, known->Message());
  } else {
    ShowErrorDisplay(parent, QString::fromUtf8(error.what()));
  }
}
