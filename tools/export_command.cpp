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
#include "export_options.h"
#include "reports/docx_table_fit.h"
#include "reports/export_columns.h"
#include "reports/export_list_source.h"
#include "reports/writer_docx.h"
#include "reports/writer_txt.h"
#include "reports/writer_xlsx.h"
#include "search/search_condition.h"

namespace {
// The search options, the criterion box each one ticks and the rule for its value.
struct SearchOption {
  const char* name;
  int box;
  QString SearchCriteria::*field;
  OptionKind kind;
};
const SearchOption kSearchOptions[] = {
    {"reg-num", 1, &SearchCriteria::sRegNum, OptionKind::Count},
    {"name", 2, &SearchCriteria::sName, OptionKind::RegisterText},
    {"egn", 3, &SearchCriteria::sEGN, OptionKind::RegisterText},
    {"group", 6, &SearchCriteria::sGroup, OptionKind::RegisterText},
    {"status", 8, &SearchCriteria::sStatus, OptionKind::RegisterText},
    {"notes", 12, &SearchCriteria::sNotes, OptionKind::RegisterText},
};

// The search options that name an entry of a code list, and the list.
struct CodeListOption {
  const char* name;
  const char* list;
  const char* what;
};
const CodeListOption kCodeListOptions[] = {
    {"group", "GROUP1", "група"},
    {"status", "STATUS", "състояние"},
};

// The refusal of a code-list option whose value is no entry of its list; empty when every such
// option names an entry. A name the list lacks would otherwise search for code -1: no card.
QString UnknownCodeListName(TDataModule1& data, const ParsedArgs& parsed) {
  for (const CodeListOption& o : kCodeListOptions) {
    const QString name = QString::fromLatin1(o.name);
    if (!parsed.Has(name)) continue;
    const QString list = QString::fromLatin1(o.list);
    if (data.NomCodeOf(list, parsed.Option(name)) >= 0) continue;
    QStringList names;
    for (const CodeListEntry& entry : data.CodeListEntries(list)) names << u'„' + entry.name + u'“';
    const QString accepted = QStringLiteral("%1 от номенклатурата: %2")
                                 .arg(QString::fromUtf8(o.what), names.join(QStringLiteral(", ")));
    return OptionRefusal(name, accepted, parsed.Option(name));
  }
  return {};
}
}  // namespace

int RunExport(const QStringList& args, QTextStream& out, QTextStream& err) {
  std::vector<OptionRule> rules = {
      {QStringLiteral("format"), OptionKind::Choice,
       {QStringLiteral("txt"), QStringLiteral("docx"), QStringLiteral("xlsx")}},
      {QStringLiteral("out"), OptionKind::Path},
      {QStringLiteral("delimiter"), OptionKind::Delimiter}};
  for (const SearchOption& o : kSearchOptions) rules.push_back({QString::fromLatin1(o.name), o.kind});
  for (OptionRule& rule : ExportDialogOptionRules()) rules.push_back(std::move(rule));
  const ParsedArgs parsed = ParseArgs(args, WithCredentials(rules));
  if (!parsed.error.isEmpty()) {
    err << parsed.error << '\n' << "Вижте „tesaro-admin --help“.\n";
    return kExitUsage;
  }
  if (parsed.positional.size() != 1 || !parsed.Has(QStringLiteral("format")) || !parsed.Has(QStringLiteral("out"))) {
    err << "Употреба: tesaro-admin export ПЪТ --format txt|docx|xlsx --out ФАЙЛ [--view ИЗГЛЕД] [--title ТЕКСТ] "
           "[--footer ТЕКСТ] [--font-size 7..20] [--orientation landscape|portrait] [критерии за търсене].\n";
    return kExitUsage;
  }
  const QString format = parsed.Option(QStringLiteral("format"));
  const QString outPath = parsed.Option(QStringLiteral("out"));
  const QString delimiter = parsed.Option(QStringLiteral("delimiter"), QStringLiteral("|"));
  if (format == QLatin1String("txt")) {
    if (const QString refusal = PageOptionGivenForText(parsed); !refusal.isEmpty()) {
      err << refusal << '\n';
      return kExitUsage;
    }
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
    if (const QString refusal = UnknownCodeListName(data, parsed); !refusal.isEmpty()) {
      err << refusal << '\n';
      return kExitUsage;
    }
    ListQuery& list = data.MainQuery();
    QString condition = QStringLiteral("and P.PERSON_TYPE = 0 ");
    if (searching)
      condition = BuildSearch(criteria, [&](const QString& l, const QString& n) { return data.NomCodeOf(l, n); })
                      .condition;
    list.SetCondition(condition);
    list.SetOrdering(QStringLiteral(" order by Reg_Num"));
    list.Open();

    ListExportSource source(list, RegisterExportColumns());
    std::vector<ExportColumn> columns = ExportColumnsFromSource(source);
    if (const QString refusal = ApplyViewOption(parsed, source, columns); !refusal.isEmpty()) {
      err << refusal << '\n';
      return kExitUsage;
    }
    if (TickedCount(columns) == 0) {
      err << QString::fromUtf8(kNoColumnsMessage) << '\n';
      return kExitFailure;
    }
    const ExportTable table = BuildExportTable(columns, {}, source);
    const ExportLayout layout =
        ExportLayoutFromOptions(parsed, QStringLiteral("Списък на картотеката - ") + FormatShortDate(Clock::Now().date()));
    if (format == QLatin1String("docx")) {
      // Told before anything is written, as the dialog tells it.
      const DocxTableFit fit = FitDocxExport(table, layout);
      if (!fit.fits) {
        err << DocxTooWideMessage(layout.landscape) << '\n';
        return kExitFailure;
      }
      if (layout.fontSize > 0 && fit.halfPoints < 2 * layout.fontSize)
        out << DocxSmallerFontNote(layout.fontSize, fit.halfPoints) << '\n';
    }
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
