// Puts the real desktop behind the program's seams: message boxes for the message seam and the
// desktop's associated programs for opening files. The application object calls it once at
// start; tests install their own recorders instead.
#pragma once

#include <QString>

void InstallDesktopSeams();

// Whether the desktop names a program for the file's type (always true where it cannot be asked).
bool DesktopHasProgramFor(const QString& path);
