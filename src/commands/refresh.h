// Refreshing the register list: a full commit, so the list shows what every user has
// committed since, then the same statement again with the same card selected.
#pragma once

#include <functional>

class TDataModule1;

// Remembers the current card's registration number, commits fully, reopens the list with
// its statement unchanged, calls `afterReopen` (the main window recounts what its current
// view needs), then selects the remembered card again when it is still listed.
void RefreshList(TDataModule1& data, const std::function<void()>& afterReopen = {});
