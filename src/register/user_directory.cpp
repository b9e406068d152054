// Choosing the user's working folder from the environment.
#include "register/user_directory.h"

#include <QDir>

QString UserDirectory() {
  QString folder = qEnvironmentVariable("USERPROFILE");
  if (folder.isEmpty()) folder = qEnvironmentVariable("HOME");
  if (folder.isEmpty()) folder = QDir::tempPath();
  folder = QDir::toNativeSeparators(folder);
  // A folder given with its separator keeps just the one.
  if (!folder.endsWith(QDir::separator())) folder += QDir::separator();
  return folder;
}
