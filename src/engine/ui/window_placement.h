// Opening a window inside the screen it is on, and keeping its size, position and maximised state
// between starts (core/window_placement_store.h).
#pragma once

#include <QString>

class QWidget;

// Shrinks the window to the screen's available area (the area panels leave free) when it is
// larger, title bar included, and moves it wholly inside that area, centred when `centre`.
void FitIntoAvailableScreen(QWidget* window, bool centre = false);

// Gives the window the placement kept under `windowName` (or fits its default size into the
// screen, centred, when none was kept or the kept one lies off every screen now), and keeps the
// placement again each time the window is hidden or closed. Call before the window is shown.
void RememberWindowPlacement(QWidget* window, const QString& windowName);
