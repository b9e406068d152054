// The ranking command of the main window (mClassClick): rights, the ranking window, the
// refresh of every card and the ranking view of the register list.
#pragma once

#include <QDialog>
#include <functional>

class QWidget;
class RegisterTabs;
class TDataModule1;
class TKlasForm;

// Runs the ranking window modally and gives its result (QDialog::Accepted or Rejected).
// Tests replace it; an empty function brings back exec().
using KlasFormRunner = std::function<int(TKlasForm& form)>;
void SetKlasFormRunner(KlasFormRunner runner);

// Refuses users whose rights level is 4 or more; otherwise, when the user confirms the
// ranking window: keeps its order as the tabs' RankingOrder, goes back to the first tab,
// refreshes every card's classification behind the please-wait window, and adds and opens
// the "Класиране" tab.
void mClassClick(TDataModule1& data, RegisterTabs& tabs, int rightsLevel, QWidget* parent);
