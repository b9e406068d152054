// The desktop seam: opening a file with the program associated with its type (help, card
// print). Tests replace it to record the request instead of starting a program.
#pragma once

#include <QString>
#include <functional>

// True when the desktop accepted the request.
bool OpenWithAssociatedProgram(const QString& path);
// Replaces the opener: the desktop's (ui/desktop_seams.h), which the application object installs
// at start, or a test's recorder. With none, nothing is opened and the answer is false.
void SetAssociatedProgramOpener(std::function<bool(const QString& path)> opener);
