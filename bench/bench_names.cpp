// The names comparison over the benchmark register (100 000 cards, about 300 000 persons) with a
// matching population store, against bare SQLite look-ups of the same personal numbers: the
// person's row as the population library's contract gives it (its 29 properties), all in one
// read transaction (the least a look-up loop can cost).
// Goal: comparison time / bare time <= 1.5.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <vector>

#include "bench_bare_list.h"
#include "bench_register.h"
#include "data/data_module.h"
#include "data/firebird/statement.h"
#include "lbd/lbd_names.h"
#include "lbd/person_info.h"
#include "population_store.h"
#include "seed_population.h"

namespace {
// The store: the file named by TESARO_BENCH_POPULATION (written there for the register when it
// does not exist yet, so later runs reuse it), else one written in a temporary folder per run.
const QString& PopulationStore() {
  static const QString path = [] {
    const QString named = qEnvironmentVariable("TESARO_BENCH_POPULATION");
    if (!named.isEmpty() && QFile::exists(named)) return named;
    static QTemporaryDir folder;
    const QString made = named.isEmpty() ? folder.filePath(QStringLiteral("population.sqlite")) : named;
    QElapsedTimer timer;
    timer.start();
    Database database;
    database.Attach(BenchRegister());
    const PopulationSeedSummary summary = WritePopulationForSeed(database, made, 1);
    database.Detach();
    QTextStream(stderr) << "Population store: " << summary.written << " persons of " << summary.persons
                        << ", made in " << timer.elapsed() << " ms\n";
    return made;
  }();
  return path;
}

void UseStore() {
  if (!qEnvironmentVariableIsSet("TESARO_POPULATION_LIBRARY"))
    qputenv("TESARO_POPULATION_LIBRARY", TESARO_BENCH_POPULATION_LIBRARY);
  qputenv(kPopulationDbVariable, QFile::encodeName(PopulationStore()));
}

void BM_Names_Comparison(benchmark::State& state) {
  UseStore();
  TDataModule1 data;
  data.Connect(BenchRegister());
  TPersonInfo person;
  if (!person.IsConnected()) {
    state.SkipWithError("the population library cannot be loaded");
    return;
  }
  size_t listed = FindDifferingNames(data, person).size();
  for (auto _ : state) listed = FindDifferingNames(data, person).size();
  state.counters["listed"] = static_cast<double>(listed);
}

// The register's side alone: every person's number and name read as the comparison reads them.
void BM_Names_RegisterWalkOnly(benchmark::State& state) {
  TDataModule1 data;
  data.Connect(BenchRegister());
  Statement persons(data.Db(), QStringLiteral("select PERSON_ID, EGN, NAME from RGS_PERSON"));
  for (auto _ : state) {
    qsizetype characters = 0;
    persons.Open();
    while (persons.Next())
      characters += persons.Value(0).toInt() + persons.Value(1).toString().size() + persons.Value(2).toString().size();
    persons.Close();
    benchmark::DoNotOptimize(characters);
  }
}

void BM_Names_BareSqlite(benchmark::State& state) {
  std::vector<std::u16string> egns;
  {
    TDataModule1 data;
    data.Connect(BenchRegister());
    Statement persons(data.Db(), QStringLiteral("select EGN from RGS_PERSON"));
    persons.Open();
    while (persons.Next()) egns.push_back(persons.Value(0).toString().trimmed().toStdU16String());
  }
  sqlite3* db = nullptr;
  sqlite3_stmt* lookup = nullptr;
  const QByteArray path = QFile::encodeName(PopulationStore());
  // Opened as the library opens it, so both sides look up through the same settings.
  if (sqlite3_open_v2(path.constData(), &db, kPopulationReadOpenFlags, nullptr) != SQLITE_OK ||
      sqlite3_exec(db, kPopulationReadSettingsSql, nullptr, nullptr, nullptr) != SQLITE_OK ||
      sqlite3_prepare_v2(db, PopulationLookupSql().c_str(), -1, &lookup, nullptr) != SQLITE_OK) {
    state.SkipWithError(sqlite3_errmsg(db));
    sqlite3_close(db);
    return;
  }
  auto run = [&] {
    sqlite3_exec(db, "begin", nullptr, nullptr, nullptr);
    int found = 0;
    for (const std::u16string& egn : egns) {
      sqlite3_bind_text16(lookup, 1, egn.data(), static_cast<int>(egn.size() * 2), SQLITE_STATIC);
      if (sqlite3_step(lookup) == SQLITE_ROW) {
        ++found;
        // Read as the library reads a UTF-16 store: each text's bytes where they lie.
        for (int c = 0; c < kPersInfoPropertyCount; ++c) {
          benchmark::DoNotOptimize(sqlite3_column_blob(lookup, c));
          benchmark::DoNotOptimize(sqlite3_column_bytes(lookup, c));
        }
      }
      sqlite3_reset(lookup);
    }
    sqlite3_exec(db, "commit", nullptr, nullptr, nullptr);
    return found;
  };
  int found = run();
  for (auto _ : state) found = run();
  state.counters["found"] = found;
  sqlite3_finalize(lookup);
  sqlite3_close(db);
}

BENCHMARK(BM_Names_Comparison)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);
BENCHMARK(BM_Names_RegisterWalkOnly)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);
BENCHMARK(BM_Names_BareSqlite)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);
}  // namespace

int main(int argc, char** argv) {
  return RunRatioBenchmarks(argc, argv, QStringLiteral("names from the population database"), "BM_Names_Comparison",
                            "BM_Names_BareSqlite");
}
