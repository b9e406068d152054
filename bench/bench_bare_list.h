// The bare limit every list benchmark compares with: the same statement prepared in
// dialect 1 and fetched with the bare Firebird client API into one buffer, nothing decoded
// or kept; and a console reporter that keeps each benchmark's mean time for the ratios.
#pragma once

#include <benchmark/benchmark.h>
#include <firebird/Interface.h>

#include <QString>
#include <map>
#include <string>
#include <vector>

#include "bench_register.h"
#include "data/firebird/cp1251.h"

class BareList {
 public:
  explicit BareList(const QString& statement) : master_(Firebird::fb_get_master_interface()), status_(master_->getStatus()) {
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
    const QByteArray sql = EncodeCp1251(statement);
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

// Runs the bare fetch of `statement` as a benchmark, skipping with the server's text on failure.
void RunBareBenchmark(benchmark::State& state, const QString& statement);

// The whole main() of a benchmark program that compares `wrapped` with `bare`: prepares the
// register, runs the benchmarks, prints the ratio and the peak memory. Returns the exit code.
int RunRatioBenchmarks(int argc, char** argv, const QString& what, const std::string& wrapped,
                       const std::string& bare, double goal = 1.5);

// Prints "<what>: data module X ms, bare API Y ms, ratio R" for the two named benchmarks and the
// peak memory; false when either did not run.
bool PrintRatio(const RatioReporter& reporter, const QString& what, const std::string& wrapped, const std::string& bare,
                double goal = 1.5);
