// The annual list of 10 000 ranked households written as PDF, in pages per second: the whole
// path (layout and drawing) against drawing the same laid-out pages alone.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextStream>
#include <unistd.h>

#include "bench_bare_list.h"
#include "bench_memory.h"
#include "bench_register.h"
#include "classification/ranking_criteria.h"
#include "core/clock.h"
#include "data/data_module.h"
#include "engine/report/report_layout.h"
#include "engine/report/report_painter.h"
#include "reports/annual_list_layout.h"
#include "reports/annual_list_rows.h"
#include "reports/print_form1.h"

namespace {
constexpr int kRows = 10000;

// The first kRows rows of the register list.
class FirstRows : public report::RowSource {
 public:
  explicit FirstRows(const ListQuery& list) : rows_(list) {}
  int RowCount() const override { return std::min(kRows, rows_.RowCount()); }
  QString Text(int row, const QString& field) const override { return rows_.Text(row, field); }

 private:
  ListQueryRows rows_;
};

// The list in the ranking's order over every card with a group, so there are rows enough
// even before a ranking run has filled the years of inclusion.
struct RankedList {
  TDataModule1 data;
  RankedList() {
    data.Connect(BenchRegister());
    ListQuery& list = data.MainQuery();
    list.SetCondition(QStringLiteral("and person_type=0 and c.grupa<>0"));
    list.SetOrdering(RankingCriteriaList().OrderText());
    list.Open();
  }
};

report::Report Layout() {
  TPrintForm1 form;
  form.SetTitle(AnnualListTitle(Clock::Now().date().year(), QStringLiteral("Община Пловдив")));
  return form.QRep();
}

void BM_AnnualList_LayoutAndPdf(benchmark::State& state) {
  RankedList ranked;
  const FirstRows rows(ranked.data.MainQuery());
  const report::Report report = Layout();
  QTemporaryDir folder;
  size_t pages = 0;
  for (auto _ : state) {
    const report::LaidOutReport laid = report::LayOut(report, rows);
    report::WritePdf(laid, folder.filePath(QStringLiteral("annual.pdf")));
    pages = laid.pages.size();
  }
  state.counters["rows"] = rows.RowCount();
  state.counters["pages"] = static_cast<double>(pages);
  state.counters["pages/s"] =
      benchmark::Counter(static_cast<double>(pages) * state.iterations(), benchmark::Counter::kIsRate);
}

void BM_AnnualList_DrawingOnly(benchmark::State& state) {
  RankedList ranked;
  const FirstRows rows(ranked.data.MainQuery());
  const report::LaidOutReport laid = report::LayOut(Layout(), rows);
  QTemporaryDir folder;
  for (auto _ : state) report::WritePdf(laid, folder.filePath(QStringLiteral("annual.pdf")));
  state.counters["pages/s"] =
      benchmark::Counter(static_cast<double>(laid.pages.size()) * state.iterations(), benchmark::Counter::kIsRate);
}

BENCHMARK(BM_AnnualList_LayoutAndPdf)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_AnnualList_DrawingOnly)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);  // fonts for the layout
  return RunRatioBenchmarks(argc, argv, QStringLiteral("annual list of 10 000 rows to PDF"),
                            "BM_AnnualList_LayoutAndPdf", "BM_AnnualList_DrawingOnly", 2.0);
}
