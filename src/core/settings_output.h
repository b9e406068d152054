// Changing an INI settings file whole or not at all: the settings are changed in a copy beside
// the file, and the copy replaces it once written (core/output_file.h).
#pragma once

#include <QString>
#include <functional>

#include "core/output_file.h"

class QSettings;

// Opens a copy of `path` (empty when there is none) as INI settings, lets `change` set its
// values, writes it and puts it in place of `path`. FileWriteError when any step fails; the
// file is then as it was.
void ChangeIniSettings(const QString& path, const std::function<void(QSettings& settings)>& change,
                       OutputPermissions permissions = OutputPermissions::KeepExisting);
