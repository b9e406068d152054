// The desktop seam: opening a file with the program associated with its type (help, card
// print). Tests replace it to record the request instead of starting a program.
#pragma once

#include <QString>
#include <functional>

// True when the desktop accepted the request.
bool OpenWithAssociatedProgram(const QString& path);
// Replaces the opener (tests); an empty function brings back the desktop's.
void SetAssociatedProgramOpener(std::function<bool(const QString& path)> opener);
