// The help command of the main window.
#include "commands/help.h"

#include "core/desktop.h"
#include "core/messages.h"
#include "core/program_files.h"

bool hlpbtnClick(QWidget* parent) {
  const QString guide = ProgramFile(ProgramFileKind::Document, QStringLiteral("Tesaro.pdf"));
  if (OpenWithAssociatedProgram(guide)) return true;
  ShowMessage(parent, QStringLiteral("Couldn't execute the application"), QStringLiteral("Error"),
              MessageIcon::Warning);
  return false;
}
