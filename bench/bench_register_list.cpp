// Opening the whole register list through the data module, against the same statement
// fetched with the bare Firebird client API: the wrapper's cost per row is the difference.
// Goal: data module time / bare time <= 1.5.
#include <benchmark/benchmark.h>
#include <firebird/Interface.h>
#include <unistd.h>

#include <QTextStream>
#include <map>
#include <string>
#include <vector>

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

// The bare limit: attach, prepare in dialect 1, open the cursor and fetch every row into
// one buffer. Nothing is decoded or kept.
class BareList {
 public:
  BareList() : master_(Firebird::fb_get_master_interface()), status_(master_->getStatus()) {
    using namespace Firebird;
    const ConnectionParams& params = BenchRegister();
    const QByteArray path = params.path.toLocal8Bit();
    IXpbBuilder* dpb = master_->getUtilInterface()->getXpbBuilder(&status_, IXpbBuilder::DPB, nullptr, 0);
    dpb->insertString(&status_, isc_dpb_user_name, params.user.toUtf8().constData());
    dpb->insertString(&status_, isc_dpb_password, params.password.toUtf8().constData());
    dpb->insertString(&status_, isc_dpb_lc_ctype, "WIN1251");
    dpb->insertInt(&status_, isc_dpb_sql_dialect, 1);
    attachment_ = master_->getDispatcher()->attachDatabase(&status_, path.constData(), dpb->getBufferLength(&status_),
                                                           dpb->getBuffer(&status_));
    dpb->dispose();
    transaction_ = attachment_->startTransaction(&status_, 0, nullptr);
    const QByteArray sql = ListStatement().toLatin1();
    statement_ =
        attachment_->prepare(&status_, transaction_, 0, sql.constData(), 1, IStatement::PREPARE_PREFETCH_METADATA);
    meta_ = statement_->getOutputMetadata(&status_);
    buffer_.resize(meta_->getMessageLength(&status_));
  }
  ~BareList() {
    meta_->release();
    statement_->free(&status_);
    transaction_->commit(&status_);
    attachment_->detach(&status_);
    status_.dispose();
  }

  int FetchAll() {
    Firebird::IResultSet* cursor = statement_->openCursor(&status_, transaction_, nullptr, nullptr, meta_, 0);
    int rows = 0;
    while (cursor->fetchNext(&status_, buffer_.data()) == Firebird::IStatus::RESULT_OK) ++rows;
    cursor->close(&status_);
    benchmark::DoNotOptimize(buffer_.data());
    return rows;
  }

 private:
  Firebird::IMaster* master_;
  Firebird::ThrowStatusWrapper status_;
  Firebird::IAttachment* attachment_ = nullptr;
  Firebird::ITransaction* transaction_ = nullptr;
  Firebird::IStatement* statement_ = nullptr;
  Firebird::IMessageMetadata* meta_ = nullptr;
  std::vector<unsigned char> buffer_;
};

void BM_RegisterList_BareApi(benchmark::State& state) {
  try {
    BareList bare;
    int rows = bare.FetchAll();  // warms the cache like the other benchmark's first opening
    for (auto _ : state) rows = bare.FetchAll();
    state.counters["rows"] = rows;
  } catch (const Firebird::FbException& error) {
    char text[1024];
    Firebird::fb_get_master_interface()->getUtilInterface()->formatStatus(text, sizeof text, error.getStatus());
    state.SkipWithError(text);
  }
}

BENCHMARK(BM_RegisterList_DataModule)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_RegisterList_BareApi)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

// Keeps the mean real time of each benchmark so the ratio can be printed at the end.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  explicit RatioReporter(OutputOptions options) : ConsoleReporter(options) {}
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      if (!run.error_occurred && run.run_type == Run::RT_Iteration)
        milliseconds[run.run_name.function_name] = run.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> milliseconds;
};
}  // namespace

int main(int argc, char** argv) {
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

  QTextStream out(stdout);
  const auto wrapped = reporter.milliseconds.find("BM_RegisterList_DataModule");
  const auto bare = reporter.milliseconds.find("BM_RegisterList_BareApi");
  if (wrapped != reporter.milliseconds.end() && bare != reporter.milliseconds.end() && bare->second > 0) {
    const double ratio = wrapped->second / bare->second;
    out << "register list: data module " << QString::number(wrapped->second, 'f', 1) << " ms, bare API "
        << QString::number(bare->second, 'f', 1) << " ms, ratio " << QString::number(ratio, 'f', 2)
        << (ratio <= 1.5 ? " (goal <= 1.5 met)" : " (goal <= 1.5 NOT met)") << '\n';
  }
  out << "peak memory (VmHWM): " << PeakResidentKb() / 1024 << " MB (after making the register: " << peakBefore / 1024
      << " MB)\n";
  return 0;
}
