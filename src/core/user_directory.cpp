// Choosing the user's working folder from the environment, and reading the settings file there.
#include "core/user_directory.h"

#include <QDir>
#include <QSettings>

QString UserDirectory() {
  QString folder = qEnvironmentVariable("USERPROFILE");
  if (folder.isEmpty()) folder = qEnvironmentVariable("HOME");
  if (folder.isEmpty()) folder = QDir::tempPath();
  folder = QDir::toNativeSeparators(folder);
  // A folder given with its separator keeps just the one.
  if (!folder.endsWith(QDir::separator())) folder += QDir::separator();
  return folder;
}

QString SettingsFilePath() { return UserDirectory() + QStringLiteral("tesaro.ini"); }

QString LastUserLogin() {
  return QSettings(SettingsFilePath(), QSettings::IniFormat).value(QStringLiteral("User/lastuser")).toString();
}

int PageCacheLimitMb(int defaultMb) {
  bool ok = false;
  const int megabytes =
      QSettings(SettingsFilePath(), QSettings::IniFormat).value(QStringLiteral("Database/PageCacheMB")).toInt(&ok);
  return ok && megabytes > 0 ? megabytes : defaultMb;
}
