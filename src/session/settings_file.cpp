// Writing the last user into the settings file, with the message the user sees when it fails.
#include "session/settings_file.h"

#include <QSettings>

#include "core/messages.h"
#include "register/user_directory.h"

QString SettingsFilePath() { return UserDirectory() + QStringLiteral("tesaro.ini"); }

bool WriteLastUser(const QString& login, QWidget* parent) {
  const QString path = SettingsFilePath();
  bool written = false;
  {
    QSettings settings(path, QSettings::IniFormat);
    if (settings.status() == QSettings::NoError && settings.isWritable()) {
      settings.setValue(QStringLiteral("User/lastuser"), login);
      settings.sync();
      written = settings.status() == QSettings::NoError;
    }
  }
  if (!written)
    ShowMessage(
        parent,
        QStringLiteral("Файлът с настройки '") + path + QStringLiteral("' не може да бъде отворен или редактиран!"),
        QStringLiteral("Грешка"), MessageIcon::Error);
  return written;
}
