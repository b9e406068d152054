// The help command of the main window.
#include "commands/help.h"

#include <QCoreApplication>

#include "core/desktop.h"
#include "core/messages.h"

bool hlpbtnClick(QWidget* parent) {
  const QString guide = QCoreApplication::applicationDirPath() + QStringLiteral("/Tesaro.pdf");
  if (OpenWithAssociatedProgram(guide)) return true;
  ShowMessage(parent, QStringLiteral("Couldn't execute the application"), QStringLiteral("Error"),
              MessageIcon::Warning);
  return false;
}
