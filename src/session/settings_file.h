// Writing the last user's login into the settings file (core/user_directory.h).
#pragma once

#include <QString>

class QWidget;

// Writes [User] lastuser=<login>. When the file cannot be written, shows the settings-file
// message and returns false; the caller goes on either way.
bool WriteLastUser(const QString& login, QWidget* parent);
