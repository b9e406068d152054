// The ranking run's two loops over the whole register: RefreshAllClassifications against the
// same number of single-row updates through one prepared statement, and StoreRankingPlaces
// over the ranked list against the same place records written by its own statement. Both loops commit, so they run on
// a copy of the benchmark register, which stays as it was. Goal: each ratio <= 2. Storing
// ends with the ranked list opened again; that part is also timed alone for comparison.
#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <unistd.h>
#include <vector>

#include "bench_bare_list.h"
#include "bench_memory.h"
#include "bench_register.h"
#include "classification/ranking_criteria.h"
#include "classification/ranking_place.h"
#include "classification/ranking_progress.h"
#include "classification/refresh_classifications.h"
#include "classification/store_ranking_places.h"
#include "core/clock.h"
#include "data/data_module.h"
#include "data/firebird/statement.h"

namespace {
constexpr double kGoal = 2.0;

// A copy of the benchmark register that the committing loops may change.
const ConnectionParams& WorkingCopy() {
  static const ConnectionParams params = [] {
    static QTemporaryDir folder;
    ConnectionParams copy = BenchRegister();
    if (IsServerPath(copy.path)) return copy;  // a server's file cannot be copied from here
    const QString path = folder.filePath(QStringLiteral("ranking.fdb"));
    if (!QFile::copy(copy.path, path)) {
      QTextStream(stderr) << "Cannot copy " << copy.path << "; the benchmark changes it.\n";
      return copy;
    }
    copy.path = path;
    return copy;
  }();
  return params;
}

void OpenRankedList(TDataModule1& data) {
  ListQuery& list = data.MainQuery();
  list.Close();
  list.SetCondition(RankedListCondition(Clock::Now().date().year()));
  list.SetOrdering(RankingCriteriaList().OrderText());
  list.Open();
}

// Reads every card once after a commit, so the record versions the previous run left are
// collected before the next timed run and no run pays for another's garbage.
void CollectGarbage(TDataModule1& data) {
  data.Commit();
  Statement scan(data.Db(), QStringLiteral("select count(*) from RGS_CARD"));
  benchmark::DoNotOptimize(scan.ScalarValue());
  data.Commit();
}

std::vector<int> Keys(TDataModule1& data, const QString& sql) {
  std::vector<int> keys;
  Statement select(data.Db(), sql);
  select.Open();
  while (select.Next()) keys.push_back(select.Value(0).toInt());
  select.Close();
  return keys;
}

// The limit: one prepared single-row update per key, then the commit, as the loops end.
void SingleRowUpdates(benchmark::State& state, const QString& keysSql, const QString& updateSql) {
  TDataModule1 data;
  data.Connect(WorkingCopy());
  const std::vector<int> keys = Keys(data, keysSql);
  Statement update(data.Db(), updateSql);
  for (auto _ : state) {
    state.PauseTiming();
    CollectGarbage(data);
    state.ResumeTiming();
    data.BeginWrite();
    for (int key : keys) {
      update.BindAll({key % 5, key});
      update.Execute();
    }
    data.Commit();
  }
  state.counters["cards"] = static_cast<double>(keys.size());
}

const QString kAllCards = QStringLiteral("select CARD_ID from RGS_CARD order by CARD_ID desc");
const QString kRankedCards = QStringLiteral(
    "select REG_NUM from RGS_CARD c where c.status=1 and c.grupa<>0 and POINTS_YEAR<=%1 order by REG_NUM");

void BM_RefreshAllClassifications(benchmark::State& state) {
  TDataModule1 data;
  data.Connect(WorkingCopy());
  NoRankingProgress progress;
  int cards = RefreshAllClassifications(data, progress);  // the first run fills the years
  for (auto _ : state) {
    state.PauseTiming();
    CollectGarbage(data);
    state.ResumeTiming();
    cards = RefreshAllClassifications(data, progress);
  }
  state.counters["cards"] = cards;
}

void BM_Refresh_SingleRowUpdates(benchmark::State& state) {
  SingleRowUpdates(state, kAllCards, QStringLiteral("update RGS_CARD set KIDS = ? where CARD_ID = ?"));
}

void BM_StoreRankingPlaces(benchmark::State& state) {
  TDataModule1 data;
  data.Connect(WorkingCopy());
  NoRankingProgress progress;
  int places = 0;
  for (auto _ : state) {
    state.PauseTiming();
    CollectGarbage(data);
    OpenRankedList(data);
    state.ResumeTiming();
    places = StoreRankingPlaces(data, progress);  // ends with the list reopened
  }
  state.counters["cards"] = places;
}

// The limit of storing: the same place records written by the same statement, bound and run
// once per ranked card in registration-number order, then the commit; without the walk of the
// ranked list, the composing of the records, the progress and the reopening of the list.
void BM_Store_SameUpdates(benchmark::State& state) {
  TDataModule1 data;
  data.Connect(WorkingCopy());
  const QDate today = Clock::Now().date();
  const std::vector<int> keys = Keys(data, kRankedCards.arg(today.year()));
  std::vector<QString> records;
  for (size_t place = 1; place <= keys.size(); ++place)
    records.push_back(RankingPlaceRecord(static_cast<int>(place), today, 2, QDate(2020, 3, 5),
                                         QStringLiteral("Подгрупа 1")));
  Statement update(data.Db(), RankingPlaceStoreSql());
  for (auto _ : state) {
    state.PauseTiming();
    CollectGarbage(data);
    state.ResumeTiming();
    data.BeginWrite();
    for (size_t k = 0; k < keys.size(); ++k) {
      update.BindAll({records[k], records[k], keys[k]});
      update.Execute();
    }
    data.Commit();
  }
  state.counters["cards"] = static_cast<double>(keys.size());
}

void BM_ReopenRankedList(benchmark::State& state) {
  TDataModule1 data;
  data.Connect(WorkingCopy());
  for (auto _ : state) {
    data.MainQuery().Close();
    OpenRankedList(data);
  }
  state.counters["cards"] = data.MainQuery().RowCount();
}
BENCHMARK(BM_ReopenRankedList)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// Each stored run adds a line to every ranked card's notes: a few runs are enough.
BENCHMARK(BM_RefreshAllClassifications)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_Refresh_SingleRowUpdates)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_StoreRankingPlaces)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_Store_SameUpdates)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  try {
    WorkingCopy();
  } catch (const DbError& error) {
    QTextStream(stderr) << "Cannot prepare the benchmark register: " << error.Message() << '\n';
    return 1;
  }
  RatioReporter reporter(isatty(STDOUT_FILENO) ? benchmark::ConsoleReporter::OO_Defaults
                                               : benchmark::ConsoleReporter::OO_Tabular);
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  PrintRatio(reporter, QStringLiteral("refresh of every card"), "BM_RefreshAllClassifications",
             "BM_Refresh_SingleRowUpdates", kGoal);
  PrintRatio(reporter, QStringLiteral("storing the ranking places"), "BM_StoreRankingPlaces", "BM_Store_SameUpdates",
             kGoal);
  QTextStream(stdout) << "peak memory (VmHWM): " << PeakResidentKb() / 1024 << " MB\n";
  return 0;
}
