// Where windows keep their size, position and maximised state between starts: one settings file,
// named once when the program starts. Until it is named (tests, the command-line tools) nothing is
// read or kept.
#pragma once

#include <QByteArray>
#include <QString>

// Names the settings file; an empty path keeps nothing.
void SetWindowPlacementFile(const QString& iniPath);
// The placement last kept for the window of that name; empty when none was kept.
QByteArray StoredWindowPlacement(const QString& windowName);
// Keeps a window's placement (as QWidget::saveGeometry gives it). A file that cannot be written
// loses only the placement: it is reported on the standard error stream, never to the clerk.
void StoreWindowPlacement(const QString& windowName, const QByteArray& placement);
