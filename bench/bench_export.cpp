// Export of the register list, 18 columns of every card: the .txt writer against a bare
// buffered write of the same lines, the .xlsx writer against bare libxlsxwriter in its
// constant-memory mode writing the same strings (goal <= 1.3 each), and the .docx writer's
// time and peak memory. The cells are read from the list once, before the timings.
#include <benchmark/benchmark.h>
#include <unistd.h>
#include <xlsxwriter.h>

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTextStream>
#include <cstdio>
#include <vector>

#include "bench_bare_list.h"
#include "bench_memory.h"
#include "bench_register.h"
#include "data/data_module.h"
#include "reports/export_columns.h"
#include "reports/export_list_source.h"
#include "reports/writer_docx.h"
#include "reports/writer_txt.h"
#include "reports/writer_xlsx.h"

namespace {
struct Rows {
  std::vector<ExportColumnSpec> columns;
  std::vector<QStringList> cells;
};

// Every card of the register with the grid's 18 visible columns, as the grid shows them.
const Rows& RegisterRows() {
  static const Rows rows = [] {
    Rows r;
    TDataModule1 data;
    data.Connect(BenchRegister());
    ListQuery& list = data.MainQuery();
    list.SetCondition(QStringLiteral("and P.PERSON_TYPE = 0 "));
    list.SetOrdering(QStringLiteral(" order by Reg_Num"));
    list.Open();
    ListExportSource source(list, RegisterExportColumns());
    for (const ExportSourceColumn& c : source.Columns()) r.columns.push_back({c.caption, c.floating});
    r.cells.reserve(source.RowCount());
    for (int row = 0; row < source.RowCount(); ++row) {
      QStringList cells;
      for (int c = 0; c < static_cast<int>(r.columns.size()); ++c) cells << source.CellText(row, c);
      r.cells.push_back(cells);
    }
    return r;
  }();
  return rows;
}

ExportTable Table() {
  const Rows& rows = RegisterRows();
  ExportTable t;
  t.columns = rows.columns;
  t.rowCount = static_cast<int>(rows.cells.size());
  t.cells = [&rows](int row, QStringList& cells) { cells << rows.cells[row]; };
  return t;
}

QStringList Captions() {
  QStringList captions;
  for (const ExportColumnSpec& c : RegisterRows().columns) captions << c.caption;
  return captions;
}

QString OutPath(const char* name) { return QDir::temp().filePath(QStringLiteral("tesaro-bench-") + QLatin1String(name)); }

void BM_ExportTxt_Writer(benchmark::State& state) {
  const ExportTable table = Table();
  for (auto _ : state) WriteTextExport(OutPath("export.txt"), table, QStringLiteral("|"));
  state.counters["rows"] = table.rowCount;
  QFile::remove(OutPath("export.txt"));
}

// The same lines joined, encoded to the same code page and written through one stdio buffer.
void BM_ExportTxt_Bare(benchmark::State& state) {
  const Rows& rows = RegisterRows();
  const QByteArray path = QFile::encodeName(OutPath("bare.txt"));
  for (auto _ : state) {
    FILE* file = std::fopen(path.constData(), "wb");
    std::setvbuf(file, nullptr, _IOFBF, 1 << 20);
    QStringEncoder encoder("windows-1251");
    auto put = [&](const QStringList& cells) {
      const QByteArray line = encoder.encode(cells.join(u'|'));
      std::fwrite(line.constData(), 1, line.size(), file);
      std::fwrite("\r\n", 1, 2, file);
    };
    put(Captions());
    for (const QStringList& cells : rows.cells) put(cells);
    std::fclose(file);
  }
  QFile::remove(QFile::decodeName(path));
}

void BM_ExportXlsx_Writer(benchmark::State& state) {
  const ExportTable table = Table();
  ExportLayout layout;
  layout.title = {QStringLiteral("Списък на картотеката - 10.12.2026")};
  for (auto _ : state) WriteXlsxExport(OutPath("export.xlsx"), table, layout);
  QFile::remove(OutPath("export.xlsx"));
}

// The same strings, a header row and no formats, with libxlsxwriter's constant-memory mode.
void BM_ExportXlsx_Bare(benchmark::State& state) {
  const Rows& rows = RegisterRows();
  const QByteArray path = QFile::encodeName(OutPath("bare.xlsx"));
  const QByteArray temp = QFile::encodeName(QDir::tempPath());
  for (auto _ : state) {
    lxw_workbook_options options = {};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = const_cast<char*>(temp.constData());
    lxw_workbook* book = workbook_new_opt(path.constData(), &options);
    lxw_worksheet* sheet = workbook_add_worksheet(book, nullptr);
    const QStringList captions = Captions();
    for (int c = 0; c < captions.size(); ++c) worksheet_write_string(sheet, 0, c, captions[c].toUtf8().constData(), nullptr);
    for (size_t r = 0; r < rows.cells.size(); ++r)
      for (int c = 0; c < rows.cells[r].size(); ++c)
        worksheet_write_string(sheet, static_cast<lxw_row_t>(r + 1), c, rows.cells[r][c].toUtf8().constData(), nullptr);
    workbook_close(book);
  }
  QFile::remove(QFile::decodeName(path));
}

void BM_ExportDocx_Writer(benchmark::State& state) {
  const ExportTable table = Table();
  ExportLayout layout;
  layout.title = {QStringLiteral("Списък на картотеката - 10.12.2026")};
  for (auto _ : state) WriteDocxExport(OutPath("export.docx"), table, layout);
  state.counters["bytes"] = QFile(OutPath("export.docx")).size();
  QFile::remove(OutPath("export.docx"));
}

BENCHMARK(BM_ExportTxt_Writer)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_ExportTxt_Bare)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_ExportXlsx_Writer)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);
BENCHMARK(BM_ExportXlsx_Bare)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);
BENCHMARK(BM_ExportDocx_Writer)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);
}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  long peakWithRows = 0;
  try {
    const Rows& rows = RegisterRows();
    peakWithRows = PeakResidentKb();
    QTextStream(stdout) << "rows: " << rows.cells.size() << " x " << rows.columns.size() << " columns\n";
  } catch (const DbError& error) {
    QTextStream(stderr) << "Cannot prepare the benchmark register: " << error.Message() << '\n';
    return 1;
  }
  RatioReporter reporter(isatty(STDOUT_FILENO) ? benchmark::ConsoleReporter::OO_Defaults
                                               : benchmark::ConsoleReporter::OO_Tabular);
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  PrintRatio(reporter, QStringLiteral(".txt export"), "BM_ExportTxt_Writer", "BM_ExportTxt_Bare", 1.3);
  PrintRatio(reporter, QStringLiteral(".xlsx export"), "BM_ExportXlsx_Writer", "BM_ExportXlsx_Bare", 1.3);
  QTextStream out(stdout);
  const auto docx = reporter.milliseconds.find("BM_ExportDocx_Writer");
  if (docx != reporter.milliseconds.end()) out << ".docx export: " << QString::number(docx->second, 'f', 1) << " ms\n";
  out << "peak memory (VmHWM): " << PeakResidentKb() / 1024 << " MB (with the rows read from the list: "
      << peakWithRows / 1024 << " MB)\n";
  return 0;
}
