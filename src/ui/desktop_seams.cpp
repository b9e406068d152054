#include "ui/desktop_seams.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include "core/desktop.h"
#include "core/messages.h"
#include "ui/message_boxes.h"

bool DesktopHasProgramFor(const QString& path) {
  // The desktop's opener starts in the background and reports nothing when no program takes
  // the file, so the program that would take it is looked up first where the desktop says.
  const QString query = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
  if (query.isEmpty()) return true;  // nothing to ask: the opener's own answer decides
  QProcess lookup;
  lookup.start(query, {QStringLiteral("query"), QStringLiteral("default"), QMimeDatabase().mimeTypeForFile(path).name()});
  if (!lookup.waitForFinished(10000)) return true;
  return lookup.exitStatus() == QProcess::NormalExit && lookup.exitCode() == 0 &&
         !lookup.readAllStandardOutput().trimmed().isEmpty();
}

void InstallDesktopSeams() {
  SetMessageAsker(ShowMessageBox);
  SetAssociatedProgramOpener([](const QString& path) {
    if (!QFileInfo::exists(path) || !DesktopHasProgramFor(path)) return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
  });
}
