// Classifying every card of the register the way the ranking run does (one reusable
// classifier, inside one transaction), against the same number of single-row updates through
// one prepared statement. Each iteration is rolled back so the register stays the same.
// Goal: classification time / single-row update time <= 2.
#include <benchmark/benchmark.h>

#include <QTextStream>
#include <unistd.h>
#include <vector>

#include "bench_bare_list.h"
#include "bench_memory.h"
#include "bench_register.h"
#include "classification/update_card_classification.h"
#include "core/clock.h"
#include "data/data_module.h"
#include "data/firebird/statement.h"

namespace {
constexpr double kGoal = 2.0;

std::vector<int> CardIds(TDataModule1& data) {
  std::vector<int> ids;
  Statement select(data.Db(), QStringLiteral("select CARD_ID from RGS_CARD order by CARD_ID"));
  select.Open();
  while (select.Next()) ids.push_back(select.Value(0).toInt());
  select.Close();
  return ids;
}

// Runs `perCard` for every card inside one transaction; the rollback is not timed.
template <typename PerCard>
void RunOverEveryCard(benchmark::State& state, TDataModule1& data, PerCard perCard) {
  const std::vector<int> ids = CardIds(data);
  data.Rollback();
  for (int id : ids) perCard(id);  // prepares and warms the cache
  data.Rollback();
  for (auto _ : state) {
    for (int id : ids) perCard(id);
    state.PauseTiming();
    data.Rollback();
    state.ResumeTiming();
  }
  state.counters["cards"] = static_cast<double>(ids.size());
}

void BM_Classification_PerCard(benchmark::State& state) {
  TDataModule1 data;
  data.Connect(BenchRegister());
  CardClassifier classifier(data.Db());
  const DateTimeValue now = DateTimeValueOf(Clock::Now());  // one moment per run, as the ranking takes it
  long long points = 0;
  RunOverEveryCard(state, data, [&](int id) { points += classifier.Update(id, true, now); });
  benchmark::DoNotOptimize(points);
}

void BM_Classification_SingleRowUpdate(benchmark::State& state) {
  TDataModule1 data;
  data.Connect(BenchRegister());
  Statement update(data.Db(), QStringLiteral("update RGS_CARD set KIDS = ? where CARD_ID = ?"));
  RunOverEveryCard(state, data, [&](int id) {
    update.BindAll({id % 5, id});
    update.Execute();
  });
}

BENCHMARK(BM_Classification_PerCard)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_Classification_SingleRowUpdate)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
}  // namespace

int main(int argc, char** argv) {
  return RunRatioBenchmarks(argc, argv, QStringLiteral("card classification"), "BM_Classification_PerCard",
                            "BM_Classification_SingleRowUpdate", kGoal);
}
