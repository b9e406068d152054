#include "core/settings_output.h"

#include <QFile>
#include <QSettings>

#include "core/file_error_reason.h"

void ChangeIniSettings(const QString& path, const std::function<void(QSettings& settings)>& change,
                       OutputPermissions permissions) {
  OutputFile file(path, permissions);
  QFile existing(file.Target());
  if (existing.exists()) {
    if (!existing.open(QIODevice::ReadOnly))
      throw FileWriteError(path, QStringLiteral("досегашният файл не може да бъде прочетен"));
    file.Write(existing.readAll());
    file.Flush();
  }
  {
    QSettings settings(file.TemporaryPath(), QSettings::IniFormat);
    change(settings);
    settings.sync();
    // QSettings keeps the system's reason to itself; the target and its folder were checked
    // and the copy written above, so little but a full disk is left.
    if (settings.status() != QSettings::NoError) throw FileWriteError(path, FileErrorReason(0));
  }
  file.Commit();
}
