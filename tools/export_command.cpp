// Reading the export command's arguments, opening the register list and writing the file.
#include "export_command.h"

#include "admin_args.h"
#include "admin_connection.h"
#include "admin_exit.h"
#include "core/clock.h"
#include "core/date_time.h"
#include "core/output_file.h"
#include "data/data_module.h"
#include "data/firebird/db_error.h"
#include "reports/export_columns.h"
#include "reports/export_list_source.h"
#include "reports/writer_docx.h"
#include "reports/writer_txt.h"
#include "reports/writer_xlsx.h"
#include "search/search_condition.h"

namespace {
// The search options and the criterion box each one ticks.
struct SearchOption {
  const char* name;
  int box;
  QString SearchCriteria::*field;
};
const SearchOption kSearchOptions[] = {
    {"reg-num", 1, &SearchCriteria::sRegNum}, {"name", 2, &SearchCriteria::sName},
    {"egn", 3, &SearchCriteria::sEGN},        {"group", 6, &SearchCriteria::sGroup},
    {"status", 8, &SearchCriteria::sStatus},  {"notes", 12, &SearchCriteria::sNotes},
};
}  // namespace

int RunExport(const QStringList& args, QTextStream& out, QTextStream& err) {
  QStringList known = {QStringLiteral("format"), QStringLiteral("out"), QStringLiteral("delimiter"),
                       QStringLiteral("user"), QStringLiteral("password")};
  for (const SearchOption& o : kSearchOptions) known << QString::fromLatin1(o.name);
  const ParsedArgs parsed = ParseArgs(args, known);
  if (!parsed.error.isEmpty()) {
    err << parsed.error << '\n' << "Вижте „tesaro-admin --help“.\n";
    return kExitUsage;
  }
  if (parsed.positional.size() != 1 || !parsed.Has(QStringLiteral("format")) || !parsed.Has(QStringLiteral("out"))) {
    err << "Употреба: tesaro-admin export ПЪТ --format txt|docx|xlsx --out ФАЙЛ [критерии за търсене].\n";
    return kExitUsage;
  }
  const QString format = parsed.Option(QStringLiteral("format")).toLower();
  if (format != QLatin1String("txt") && format != QLatin1String("docx") && format != QLatin1String("xlsx")) {
    err << "Форматът (--format) трябва да е txt, docx или xlsx, а е „" << parsed.Option(QStringLiteral("format"))
        << "“.\n";
    return kExitUsage;
  }
  const QString outPath = parsed.Option(QStringLiteral("out"));
  const QString delimiter = parsed.Option(QStringLiteral("delimiter"), QStringLiteral("|"));
  if (delimiter.isEmpty()) {
    err << "Разделителят (--delimiter) не може да е празен.\n";
    return kExitUsage;
  }

  SearchCriteria criteria;
  bool searching = false;
  for (const SearchOption& o : kSearchOptions) {
    const QString name = QString::fromLatin1(o.name);
    if (!parsed.Has(name)) continue;
    criteria.SetTicked(o.box, true);
    criteria.*(o.field) = parsed.Option(name);
    searching = true;
  }

  const ConnectionParams params = AdminConnection(parsed.positional.first(), parsed);
  if (RegisterFileMissing(params, err)) return kExitFailure;
  if (const QString problem = OutputTargetProblem(outPath); !problem.isEmpty()) {
    err << FileWriteError(outPath, problem).Message() << '\n';
    return kExitFailure;
  }
  try {
    TDataModule1 data;
    data.Connect(params);
    ListQuery& list = data.MainQuery();
    QString condition = QStringLiteral("and P.PERSON_TYPE = 0 ");
    if (searching)
      condition = BuildSearch(criteria, [&](const QString& l, const QString& n) { return data.NomCodeOf(l, n); })
                      .condition;
    list.SetCondition(condition);
    list.SetOrdering(QStringLiteral(" order by Reg_Num"));
    list.Open();

    ListExportSource source(list, RegisterExportColumns());
    const ExportTable table = BuildExportTable(ExportColumnsFromSource(source), {}, source);
    ExportLayout layout;
    layout.title = {QStringLiteral("Списък на картотеката - ") + FormatShortDate(Clock::Now().date())};
    if (format == QLatin1String("txt"))
      WriteTextExport(outPath, table, delimiter);
    else if (format == QLatin1String("docx"))
      WriteDocxExport(outPath, table, layout);
    else
      WriteXlsxExport(outPath, table, layout);
    out << "Записани " << table.rowCount << " картона в " << outPath << ".\n";
    return kExitOk;
  } catch (const SearchCriterionError& error) {
    err << "Търсенето не може да бъде изпълнено: " << error.Message() << '\n';
    return kExitUsage;
  } catch (const DbError& error) {
    err << "Грешка в базата данни: " << error.Message() << '\n';
  } catch (const ExportError& error) {
    err << error.Message() << '\n';
  }
  return kExitFailure;
}
