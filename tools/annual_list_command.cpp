// Reading annual-list's arguments, ranking the register and writing the PDF.
#include "annual_list_command.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

#include "admin_args.h"
#include "admin_connection.h"
#include "admin_exit.h"
#include "core/output_file.h"
#include "classification/ranking_criteria.h"
#include "classification/ranking_progress.h"
#include "classification/refresh_classifications.h"
#include "core/clock.h"
#include "data/data_module.h"
#include "data/register_settings.h"
#include "engine/report/report_layout.h"
#include "engine/report/report_painter.h"
#include "reports/annual_list_layout.h"
#include "reports/annual_list_rows.h"
#include "reports/print_form1.h"

namespace {
// The refresh's progress as a line on stderr at every tenth.
class StreamProgress : public RankingProgress {
 public:
  explicit StreamProgress(QTextStream& err) : err_(err) {}
  void Begin(const QString& caption, int) override {
    caption_ = caption;
    lastTenth_ = -1;
  }
  void Step(int k, int n) override {
    const int tenth = n > 0 ? k * 10 / n : 10;
    if (tenth == lastTenth_) return;
    lastTenth_ = tenth;
    err_ << caption_ << ": " << k << " от " << n << " карти\n" << Qt::flush;
  }
  void End() override {}

 private:
  QTextStream& err_;
  QString caption_;
  int lastTenth_ = -1;
};
}  // namespace

bool IsDocumentCommand(const QString& command) {
  return command == QLatin1String("annual-list") || command == QLatin1String("service-note");
}

std::unique_ptr<QCoreApplication> MakeAdminApplication(const QString& command, int& argc, char** argv) {
  if (!IsDocumentCommand(command)) return std::make_unique<QCoreApplication>(argc, argv);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  return std::make_unique<QGuiApplication>(argc, argv);
}

bool DocumentsCanBeLaidOut(QTextStream& err) {
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) return true;
  err << "Документите се подреждат само в графично приложение на Qt (QGuiApplication).\n";
  return false;
}

int RunAnnualList(const QStringList& args, QTextStream& out, QTextStream& err) {
  const ParsedArgs parsed = ParseArgs(args, WithCredentials({{QStringLiteral("pdf"), OptionKind::Path}}));
  if (!parsed.error.isEmpty()) {
    err << parsed.error << '\n' << "Вижте „tesaro-admin --help“.\n";
    return kExitUsage;
  }
  if (parsed.positional.size() != 1 || parsed.Option(QStringLiteral("pdf")).isEmpty()) {
    err << "Употреба: tesaro-admin annual-list ПЪТ --pdf ФАЙЛ.\n";
    return kExitUsage;
  }
  if (!DocumentsCanBeLaidOut(err)) return kExitFailure;
  const ConnectionParams params = AdminConnection(parsed.positional.first(), parsed);
  if (RegisterFileMissing(params, err)) return kExitFailure;
  const QString pdf = QFileInfo(parsed.Option(QStringLiteral("pdf"))).absoluteFilePath();
  if (const QString problem = OutputTargetProblem(pdf); !problem.isEmpty()) {
    err << FileWriteError(pdf, problem).Message() << '\n';
    return kExitFailure;
  }

  try {
    TDataModule1 data;
    data.Connect(params);
    StreamProgress progress(err);
    const int cards = RefreshAllClassifications(data, progress);

    // The ranked list in the ranking window's initial criteria order.
    const int year = Clock::Now().date().year();
    ListQuery& list = data.MainQuery();
    list.Close();
    data.DetachInvalidEgnFilter();
    list.SetCondition(RankedListCondition(year));
    list.SetOrdering(RankingCriteriaList().OrderText());
    list.Open();

    TPrintForm1 form;
    form.SetTitle(AnnualListTitle(year, MunicipalityName(data)));
    const report::LaidOutReport laid = report::LayOut(form.QRep(), ListQueryRows(list));
    data.Disconnect();
    report::WritePdf(laid, pdf);
    out << "Годишният списък за " << year << " г. (" << laid.recordCount << " семейства/домакинства от " << cards
        << " карти, " << laid.pages.size() << " стр.) е записан в " << QDir::toNativeSeparators(pdf) << ".\n";
    return kExitOk;
  } catch (const FileWriteError& error) {
    err << error.Message() << '\n';
  } catch (const DbError& error) {
    err << "Списъкът не е съставен: " << error.Message() << '\n';
  } catch (const std::exception& error) {
    err << "Списъкът не е съставен: " << QString::fromUtf8(error.what()) << '\n';
  }
  return kExitFailure;
}
