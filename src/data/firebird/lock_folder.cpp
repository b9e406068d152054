#include "data/firebird/lock_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

bool IsPrivateFolder(const QString& folder) {
  struct stat status {};
  if (::lstat(QFile::encodeName(folder).constData(), &status) != 0) return false;
  return S_ISDIR(status.st_mode) && status.st_uid == ::geteuid() && (status.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

QString PrivateLockFolder(const QStringList& candidates) {
  for (const QString& folder : candidates) {
    if (!QFileInfo::exists(folder) && !QFileInfo(folder).isSymLink()) {
      // Made by us: the last step is ours alone, whatever the umask allowed.
      if (!QDir().mkpath(folder)) continue;
      ::chmod(QFile::encodeName(folder).constData(), S_IRWXU);
    }
    if (IsPrivateFolder(folder)) return folder;
  }
  return {};
}

QStringList LockFolderCandidates() {
  QStringList candidates;
  const auto add = [&](QStandardPaths::StandardLocation location, const QString& name) {
    const QString base = QStandardPaths::writableLocation(location);
    if (!base.isEmpty()) candidates << base + name;
  };
  add(QStandardPaths::GenericCacheLocation, QStringLiteral("/tesaro/firebird-lock"));
  add(QStandardPaths::RuntimeLocation, QStringLiteral("/tesaro-firebird-lock"));
  add(QStandardPaths::GenericDataLocation, QStringLiteral("/tesaro/firebird-lock"));
  candidates << QDir::tempPath() + QStringLiteral("/tesaro-firebird-lock-%1").arg(::geteuid());
  return candidates;
}
