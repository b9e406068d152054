#include "population_command.h"

#include <QFile>
#include <QFileInfo>

#include "admin_args.h"
#include "admin_exit.h"
#include "population_csv.h"

namespace {
const char* const kUsage =
    "Употреба: tesaro-admin population import ФАЙЛ.csv [--db ФАЙЛ_НА_БАЗАТА]\n"
    "Без --db базата е файлът от променливата TESARO_POPULATION_DB.\n";
}

int RunPopulation(const QStringList& args, QTextStream& out, QTextStream& err) {
  const ParsedArgs parsed = ParseArgs(args, {{QStringLiteral("db"), OptionKind::Path}});
  if (!parsed.error.isEmpty()) {
    err << parsed.error << '\n' << kUsage;
    return kExitUsage;
  }
  if (parsed.positional.size() != 2 || parsed.positional.first() != QLatin1String("import")) {
    err << kUsage;
    return kExitUsage;
  }
  const QString csv = parsed.positional.at(1);
  const QString store = parsed.Option(QStringLiteral("db"), qEnvironmentVariable(kPopulationDbVariable));
  if (store.isEmpty()) {
    err << "Не е посочена базата с население: дайте --db ФАЙЛ или задайте TESARO_POPULATION_DB.\n";
    return kExitUsage;
  }
  if (!QFileInfo(csv).isFile()) {
    err << "Файлът " << csv << " не съществува.\n";
    return kExitFailure;
  }
  try {
    const CsvImportSummary summary =
        ImportPopulationCsv(QFile::encodeName(csv).toStdString(), QFile::encodeName(store).toStdString(),
                            [&err](int rows) { err << "Прочетени " << rows << " реда\n" << Qt::flush; });
    out << "Заредени " << summary.persons << " лица в " << store << ".\n";
    if (summary.replaced > 0)
      out << "От тях " << summary.replaced << " с ЕГН, което вече беше в базата; записан е последният ред.\n";
    if (summary.withoutEgn > 0) out << "Пропуснати " << summary.withoutEgn << " реда без ЕГН.\n";
    if (summary.oddDates > 0)
      out << summary.oddDates << " дати не са във вида ГГГГММДД; програмата ще ги чете като липсващи.\n";
    if (!summary.missingColumns.empty()) {
      out << "Колони, които файлът няма (оставени празни):";
      for (const std::string& column : summary.missingColumns) out << ' ' << QString::fromStdString(column);
      out << '\n';
    }
    return kExitOk;
  } catch (const PopulationError& error) {
    err << "Зареждането спря, нищо не е записано: " << QString::fromUtf8(error.what()) << '\n';
    return kExitFailure;
  }
}
