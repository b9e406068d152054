// The ranking command.
#include "classification/ui/ranking_run.h"

#include <QWidget>

#include "classification/refresh_classifications.h"
#include "classification/ui/klas_form.h"
#include "classification/ui/ranking_wait_window.h"
#include "register/register_tabs.h"
#include "register/rights.h"

namespace {
KlasFormRunner& RunnerSlot() {
  static KlasFormRunner runner;
  return runner;
}
}  // namespace

void SetKlasFormRunner(KlasFormRunner runner) { RunnerSlot() = std::move(runner); }

void mClassClick(TDataModule1& data, RegisterTabs& tabs, int rightsLevel, QWidget* parent) {
  TKlasForm form(parent);
  if (!CanRank(rightsLevel)) {
    ShowNoRightsMessage(parent);
    return;
  }
  const int result = RunnerSlot() ? RunnerSlot()(form) : form.exec();
  if (result != QDialog::Accepted) return;

  if (parent != nullptr) parent->repaint();
  tabs.RankingOrder = form.RankingOrder();
  tabs.SetCurrent(0);
  if (form.RefreshRequested()) {
    StatusFormProgress progress(parent);
    RefreshAllClassifications(data, progress);
  }
  tabs.ShowThirdTab(RegisterTabs::kRankingCaption);
}
