// Opening the whole register list through the data module, against the same statement
// fetched with the bare Firebird client API: the wrapper's cost per row is the difference.
// Goal: data module time / bare time <= 1.5.
#include <benchmark/benchmark.h>
#include <firebird/Interface.h>

#include <QTextStream>
#include <map>
#include <string>
#include <vector>

#include "bench_bare_list.h"
#include "bench_memory.h"
#include "bench_register.h"
#include "data/data_module.h"
#include "data/list_query.h"

namespace {
const QString kCondition = QStringLiteral("and P.PERSON_TYPE = 0 ");
const QString kOrdering = QStringLiteral(" order by Reg_Num");

QString ListStatement() { return ListQuery::kBaseStatement + u'\n' + kCondition + u'\n' + kOrdering; }

// Opens the list, reads what a grid reads for every row, closes. Returns the row count.
int OpenAndReadList(ListQuery& list, int rowNumberField, int groupField, int stateField) {
  list.Open();
  const int rows = list.RowCount();
  qsizetype characters = 0;
  for (int row = 0; row < rows; ++row) {
    characters += list.DisplayText(row, rowNumberField).size();
    characters += list.DisplayText(row, groupField).size();
    characters += list.DisplayText(row, stateField).size();
  }
  benchmark::DoNotOptimize(characters);
  list.Close();
  return rows;
}

void BM_RegisterList_DataModule(benchmark::State& state) {
  TDataModule1 data;
  data.Connect(BenchRegister());
  ListQuery& list = data.MainQuery();
  list.SetCondition(kCondition);
  list.SetOrdering(kOrdering);
  const int rowNumber = list.FieldIndex(QStringLiteral("CARD_ID"));
  const int group = list.FieldIndex(QStringLiteral("Grup1"));
  const int stateName = list.FieldIndex(QStringLiteral("Stat"));
  int rows = OpenAndReadList(list, rowNumber, group, stateName);  // prepares and warms the cache
  for (auto _ : state) rows = OpenAndReadList(list, rowNumber, group, stateName);
  state.counters["rows"] = rows;
}

void BM_RegisterList_BareApi(benchmark::State& state) { RunBareBenchmark(state, ListStatement()); }

BENCHMARK(BM_RegisterList_DataModule)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_RegisterList_BareApi)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
  return RunRatioBenchmarks(argc, argv, QStringLiteral("register list"), "BM_RegisterList_DataModule", "BM_RegisterList_BareApi");
}
