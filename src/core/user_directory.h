// The user's working folder, where the settings file and the card print's result go, and what
// the settings file remembers of the last sign-in.
#pragma once

#include <QString>

// USERPROFILE when set, else HOME, else the folder for temporary files; always ending with the
// platform's separator.
QString UserDirectory();
// The settings file "tesaro.ini" in the user's working folder.
QString SettingsFilePath();
// The login name the last sign-in on this account used ([User] lastuser), empty when none.
QString LastUserLogin();
// The most megabytes a register file's page cache may take ([Database] PageCacheMB): a positive
// whole number there, else `defaultMb`.
int PageCacheLimitMb(int defaultMb);
