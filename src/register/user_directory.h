// The user's working folder, where the settings file and the card print's result go.
#pragma once

#include <QString>

// USERPROFILE when set, else HOME, else the folder for temporary files; always ending with the
// platform's separator.
QString UserDirectory();
