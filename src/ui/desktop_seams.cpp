#include "ui/desktop_seams.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

#include "core/desktop.h"
#include "core/messages.h"
#include "ui/message_boxes.h"

void InstallDesktopSeams() {
  SetMessageAsker(ShowMessageBox);
  SetAssociatedProgramOpener([](const QString& path) {
    if (!QFileInfo::exists(path)) return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
  });
}
