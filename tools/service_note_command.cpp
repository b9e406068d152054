// Reading service-note's arguments, finding the card and writing the PDF.
#include "service_note_command.h"

#include <QDir>
#include <QFileInfo>

#include "admin_args.h"
#include "admin_connection.h"
#include "admin_exit.h"
#include "core/output_file.h"
#include "annual_list_command.h"
#include "data/data_module.h"
#include "data/register_settings.h"
#include "engine/report/report_layout.h"
#include "engine/report/report_painter.h"
#include "reports/service_note_layout.h"

int RunServiceNote(const QStringList& args, QTextStream& out, QTextStream& err) {
  const ParsedArgs parsed = ParseArgs(args, WithCredentials({{QStringLiteral("reg-num"), OptionKind::Count},
                                                             {QStringLiteral("pdf"), OptionKind::Path},
                                                             {QStringLiteral("paper"), OptionKind::Choice,
                                                              {QStringLiteral("a4"), QStringLiteral("letter")}}}));
  if (!parsed.error.isEmpty()) {
    err << parsed.error << '\n' << "Вижте „tesaro-admin --help“.\n";
    return kExitUsage;
  }
  if (parsed.positional.size() != 1 || parsed.Option(QStringLiteral("pdf")).isEmpty() ||
      !parsed.Has(QStringLiteral("reg-num"))) {
    err << "Употреба: tesaro-admin service-note ПЪТ --reg-num N --pdf ФАЙЛ [--paper a4|letter].\n";
    return kExitUsage;
  }
  const int regNum = parsed.Count(QStringLiteral("reg-num"));
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
    ListQuery& list = data.MainQuery();
    list.Close();
    list.SetCondition(QStringLiteral("and P.PERSON_TYPE = 0 and REG_NUM = ") + QString::number(regNum));
    list.SetOrdering(QStringLiteral("order by REG_NUM"));
    list.Open();
    if (list.RowCount() == 0) {
      err << "В регистъра няма картон с рег. № " << regNum << ".\n";
      return kExitFailure;
    }
    ServiceNoteSettings settings = ServiceNoteSettingsOf(data);
    if (parsed.Has(QStringLiteral("paper"))) settings.paper = NotePaperFromText(parsed.Option(QStringLiteral("paper")));
    TSlBelForm note;
    note.SetSettings(settings);
    const report::LaidOutReport laid = report::LayOut(note.QRep(ServiceNoteValuesOf(list, 0)), report::TableRows({}));
    data.Disconnect();
    report::WritePdf(laid, pdf);
    out << "Служебната бележка за картон с рег. № " << regNum << " е записана в " << QDir::toNativeSeparators(pdf)
        << ".\n";
    return kExitOk;
  } catch (const FileWriteError& error) {
    err << error.Message() << '\n';
  } catch (const DbError& error) {
    err << "Бележката не е съставена: " << error.Message() << '\n';
  } catch (const std::exception& error) {
    err << "Бележката не е съставена: " << QString::fromUtf8(error.what()) << '\n';
  }
  return kExitFailure;
}
