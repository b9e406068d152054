#include "auxiliary/desktop.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace {
std::function<bool(const QString&)>& Opener() {
  static std::function<bool(const QString&)> opener;
  return opener;
}
}  // namespace

bool OpenWithAssociatedProgram(const QString& path) {
  if (Opener()) return Opener()(path);
  if (!QFileInfo::exists(path)) return false;
  return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void SetAssociatedProgramOpener(std::function<bool(const QString&)> opener) { Opener() = std::move(opener); }
