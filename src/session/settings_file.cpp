// Writing the last user into the settings file, with the message the user sees when it fails.
#include "session/settings_file.h"

#include <QSettings>

#include "core/messages.h"
#include "core/settings_output.h"
#include "core/user_directory.h"

bool WriteLastUser(const QString& login, QWidget* parent) {
  const QString path = SettingsFilePath();
  bool written = true;
  try {
    ChangeIniSettings(path, [&](QSettings& settings) { settings.setValue(QStringLiteral("User/lastuser"), login); });
  } catch (const FileWriteError&) {
    written = false;  // the established message below says it; the file is as it was
  }
  if (!written)
    ShowMessage(
        parent,
        QStringLiteral("Файлът с настройки '") + path + QStringLiteral("' не може да бъде отворен или редактиран!"),
        QStringLiteral("Грешка"), MessageIcon::Error);
  return written;
}
