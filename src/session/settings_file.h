// The settings file "tesaro.ini" in the user's working folder: the last user's login.
#pragma once

#include <QString>

class QWidget;

// The file's full path: UserDirectory() followed by "tesaro.ini".
QString SettingsFilePath();

// Writes [User] lastuser=<login>. When the file cannot be written, shows the settings-file
// message and returns false; the caller goes on either way.
bool WriteLastUser(const QString& login, QWidget* parent);
