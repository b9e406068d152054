// The register list's status menu as widgets: fills a menu with the state entries (radio
// items) and the "За Всички - " entries, each reporting its choice to the main window.
#pragma once

#include <functional>
#include <vector>

#include "commands/state_commands.h"

class QMenu;

// Removes every entry of `menu` and adds one per entry, in order; choosing one calls `chosen`.
void FillStatusMenu(QMenu& menu, const std::vector<StatusMenuEntry>& entries,
                    std::function<void(const StatusMenuEntry&)> chosen);
