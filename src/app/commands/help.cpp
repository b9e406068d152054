// The help command of the main window.
#include "app/commands/help.h"

#include <QCoreApplication>

#include "auxiliary/desktop.h"
#include "auxiliary/messages.h"

bool hlpbtnClick(QWidget* parent) {
  const QString guide = QCoreApplication::applicationDirPath() + QStringLiteral("/Tesaro.pdf");
  if (OpenWithAssociatedProgram(guide)) return true;
  ShowMessage(parent, QStringLiteral("Couldn't execute the application"), QStringLiteral("Error"),
              MessageIcon::Warning);
  return false;
}
