// A search of the register by name and group, as the search panel asks for it, reopening the
// register list through the data module, against the bare fetch of the same statement.
// Goal: data module time / bare time <= 1.5.
#include <benchmark/benchmark.h>

#include <QTextStream>

#include "bench_bare_list.h"
#include "bench_memory.h"
#include "bench_register.h"
#include "data/data_module.h"
#include "search/search_condition.h"

namespace {
// The name part and the group of the search, built by the program's own search builder.
QString SearchConditionText(TDataModule1& data) {
  SearchCriteria criteria;
  criteria.SetTicked(2, true);
  criteria.sName = QStringLiteral("ова");
  criteria.SetTicked(6, true);
  criteria.sGroup = data.NomCodeName(QStringLiteral("GROUP1"), 1).trimmed();
  return BuildSearch(criteria, [&](const QString& list, const QString& name) { return data.NomCodeOf(list, name); })
      .condition;
}

QString& Statement() {
  static QString statement;
  return statement;
}

int ReopenAndRead(ListQuery& list, int rowNumberField, int nameField) {
  list.Close();
  list.Open();
  qsizetype characters = 0;
  for (int row = 0; row < list.RowCount(); ++row)
    characters += list.DisplayText(row, rowNumberField).size() + list.DisplayText(row, nameField).size();
  benchmark::DoNotOptimize(characters);
  return list.RowCount();
}

void BM_Search_DataModule(benchmark::State& state) {
  TDataModule1 data;
  data.Connect(BenchRegister());
  ListQuery& list = data.MainQuery();
  list.SetCondition(SearchConditionText(data));
  list.SetOrdering(QStringLiteral("order by REG_NUM"));
  Statement() = list.Sql();
  const int rowNumber = list.FieldIndex(QStringLiteral("CARD_ID"));
  const int name = list.FieldIndex(QStringLiteral("NAME"));
  int rows = ReopenAndRead(list, rowNumber, name);
  for (auto _ : state) rows = ReopenAndRead(list, rowNumber, name);
  state.counters["rows"] = rows;
}

void BM_Search_BareApi(benchmark::State& state) { RunBareBenchmark(state, Statement()); }

BENCHMARK(BM_Search_DataModule)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_Search_BareApi)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
}  // namespace

int main(int argc, char** argv) {
  return RunRatioBenchmarks(argc, argv, QStringLiteral("name and group search"), "BM_Search_DataModule", "BM_Search_BareApi");
}
