#include "core/window_placement_store.h"

#include <QDebug>
#include <QSettings>

#include "core/settings_output.h"

namespace {
QString& PlacementFile() {
  static QString path;
  return path;
}

QString Key(const QString& windowName) { return QStringLiteral("Windows/") + windowName; }
}  // namespace

void SetWindowPlacementFile(const QString& iniPath) { PlacementFile() = iniPath; }

QByteArray StoredWindowPlacement(const QString& windowName) {
  if (PlacementFile().isEmpty()) return {};
  const QSettings settings(PlacementFile(), QSettings::IniFormat);
  return settings.value(Key(windowName)).toByteArray();
}

void StoreWindowPlacement(const QString& windowName, const QByteArray& placement) {
  if (PlacementFile().isEmpty()) return;
  try {
    ChangeIniSettings(PlacementFile(),
                      [&](QSettings& settings) { settings.setValue(Key(windowName), placement); });
  } catch (const FileWriteError& error) {
    qWarning().noquote() << "The window's placement was not kept:" << error.Message();
  }
}
