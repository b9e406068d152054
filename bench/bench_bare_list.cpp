#include "bench_bare_list.h"

#include <QTextStream>
#include <unistd.h>

#include "bench_memory.h"

void RunBareBenchmark(benchmark::State& state, const QString& statement) {
  try {
    BareList bare(statement);
    int rows = bare.FetchAll();  // warms the cache like the data module's first opening
    for (auto _ : state) rows = bare.FetchAll();
    state.counters["rows"] = rows;
  } catch (const Firebird::FbException& error) {
    char text[1024];
    Firebird::fb_get_master_interface()->getUtilInterface()->formatStatus(text, sizeof text, error.getStatus());
    state.SkipWithError(text);
  }
}

bool PrintRatio(const RatioReporter& reporter, const QString& what, const std::string& wrapped, const std::string& bare,
                double goal) {
  QTextStream out(stdout);
  const auto w = reporter.milliseconds.find(wrapped);
  const auto b = reporter.milliseconds.find(bare);
  if (w == reporter.milliseconds.end() || b == reporter.milliseconds.end() || b->second <= 0) return false;
  const double ratio = w->second / b->second;
  out << what << ": " << QString::number(w->second, 'f', 1) << " ms against the limit "
      << QString::number(b->second, 'f', 1) << " ms, ratio " << QString::number(ratio, 'f', 2)
      << " (goal <= " << goal << (ratio <= goal ? " met)" : " NOT met)") << '\n';
  return true;
}

int RunRatioBenchmarks(int argc, char** argv, const QString& what, const std::string& wrapped,
                       const std::string& bare, double goal) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  try {
    BenchRegister();
  } catch (const DbError& error) {
    QTextStream(stderr) << "Cannot prepare the benchmark register: " << error.Message() << '\n';
    return 1;
  }
  const long peakBefore = PeakResidentKb();
  // Colour only on a terminal, so a log or a pipe gets plain text.
  RatioReporter reporter(isatty(STDOUT_FILENO) ? benchmark::ConsoleReporter::OO_Defaults
                                               : benchmark::ConsoleReporter::OO_Tabular);
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  PrintRatio(reporter, what, wrapped, bare, goal);
  QTextStream(stdout) << "peak memory (VmHWM): " << PeakResidentKb() / 1024 << " MB (after preparing the register: "
                      << peakBefore / 1024 << " MB)\n";
  return 0;
}
