// Ending a failed ranking loop.
#include "classification/ranking_failure.h"

#include <exception>

#include "classification/ranking_progress.h"
#include "data/data_module.h"

void EndFailedRankingRun(TDataModule1& data, RankingProgress& progress) {
  try {
    data.Rollback();
  } catch (const std::exception&) {
    // A failing rollback leaves the transaction to the connection; the run's error matters more.
  }
  progress.End();
  try {
    data.MainQuery().Open();
  } catch (const std::exception&) {
    // The list stays closed; the next refresh opens it.
  }
}
