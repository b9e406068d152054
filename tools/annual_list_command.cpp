// Reading annual-list's arguments, ranking the register and writing the annual list's files.
#include "annual_list_command.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMap>
#include <QSet>

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
#include "reports/annual_list_public_html.h"
#include "reports/annual_list_public_layout.h"
#include "reports/annual_list_rows.h"
#include "reports/print_form1.h"
#include "reports/public_list_rows.h"
#include "reports/ranked_list_export.h"
#include "reports/writer_txt.h"
#include "reports/writer_xlsx.h"

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
  // adopt writes its report as a PDF document.
  return command == QLatin1String("annual-list") || command == QLatin1String("service-note") ||
         command == QLatin1String("adopt");
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
  const QString kPdf = QStringLiteral("pdf"), kXlsx = QStringLiteral("xlsx"), kTxt = QStringLiteral("txt"),
                kHtml = QStringLiteral("html"), kPublic = QStringLiteral("public");
  const ParsedArgs parsed = ParseArgs(args, WithCredentials({{kPdf, OptionKind::Path},
                                                             {kXlsx, OptionKind::Path},
                                                             {kTxt, OptionKind::Path},
                                                             {kHtml, OptionKind::Path},
                                                             {kPublic, OptionKind::Flag}}));
  if (!parsed.error.isEmpty()) {
    err << parsed.error << '\n' << "Вижте „tesaro-admin --help“.\n";
    return kExitUsage;
  }
  const bool published = parsed.Has(kPublic);
  QMap<QString, QString> targets;  // option → absolute file name
  for (const QString& option : {kPdf, kXlsx, kTxt, kHtml})
    if (parsed.Has(option)) targets[option] = QFileInfo(parsed.Option(option)).absoluteFilePath();
  if (parsed.positional.size() != 1 || targets.isEmpty()) {
    err << "Употреба: tesaro-admin annual-list ПЪТ [--pdf ФАЙЛ] [--xlsx ФАЙЛ] [--txt ФАЙЛ] (поне един от трите)\n"
           "         tesaro-admin annual-list ПЪТ --public [--pdf ФАЙЛ] [--html ФАЙЛ] (поне един от двата).\n";
    return kExitUsage;
  }
  if (published && (targets.contains(kXlsx) || targets.contains(kTxt))) {
    err << "Публичният вариант се записва само като --pdf и --html; --xlsx и --txt съдържат пълния списък.\n";
    return kExitUsage;
  }
  if (!published && targets.contains(kHtml)) {
    err << "Страницата --html е публичният вариант на списъка: дайте и --public.\n";
    return kExitUsage;
  }
  if (QSet<QString>(targets.cbegin(), targets.cend()).size() != targets.size()) {
    err << "Всеки изход трябва да се запише в свой файл: един и същ файл е даден два пъти.\n";
    return kExitUsage;
  }
  if (targets.contains(kPdf) && !DocumentsCanBeLaidOut(err)) return kExitFailure;
  const ConnectionParams params = AdminConnection(parsed.positional.first(), parsed);
  if (RegisterFileMissing(params, err)) return kExitFailure;
  for (const QString& target : targets) {
    if (const QString problem = OutputTargetProblem(target); !problem.isEmpty()) {
      err << FileWriteError(target, problem).Message() << '\n';
      return kExitFailure;
    }
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
    const QString municipality = MunicipalityName(data);
    const ListQueryRows ranked(list);
    const PublicListRows publicRows(ranked);

    QStringList written;
    if (targets.contains(kPdf)) {
      TPrintForm1 form;
      form.SetTitle(AnnualListTitle(year, municipality));
      const report::LaidOutReport laid =
          published ? report::LayOut(PublicAnnualListLayout(PublicAnnualListTitle(year, municipality)), publicRows)
                    : report::LayOut(form.QRep(), ranked);
      report::WritePdf(laid, targets[kPdf]);
      written << QStringLiteral("%1 (%2 стр.)").arg(QDir::toNativeSeparators(targets[kPdf])).arg(laid.pages.size());
    }
    if (targets.contains(kHtml)) {
      WritePublicListHtml(targets[kHtml], AnnualListTitle(year, municipality), publicRows);
      written << QDir::toNativeSeparators(targets[kHtml]);
    }
    if (targets.contains(kXlsx)) {
      WriteXlsxExport(targets[kXlsx], RankedListTable(ranked), RankedListExportLayout(AnnualListTitle(year, municipality)));
      written << QDir::toNativeSeparators(targets[kXlsx]);
    }
    if (targets.contains(kTxt)) {
      WriteTextExport(targets[kTxt], RankedListTable(ranked), QStringLiteral("|"));
      written << QDir::toNativeSeparators(targets[kTxt]);
    }
    const int households = ranked.RowCount();
    data.Disconnect();
    out << (published ? "Публичният вариант на годишния списък за " : "Годишният списък за ") << year << " г. ("
        << households << " семейства/домакинства от " << cards << " карти) е записан в " << written.join(QStringLiteral(", "))
        << ".\n";
    return kExitOk;
  } catch (const FileWriteError& error) {
    err << error.Message() << '\n';
  } catch (const ExportError& error) {
    err << error.Message() << '\n';
  } catch (const DbError& error) {
    err << "Списъкът не е съставен: " << error.Message() << '\n';
  } catch (const std::exception& error) {
    err << "Списъкът не е съставен: " << QString::fromUtf8(error.what()) << '\n';
  }
  return kExitFailure;
}
