// Reading the seed command's arguments, running the generator and reporting progress.
#include "seed_command.h"

#include <QElapsedTimer>

#include "admin_args.h"
#include "admin_connection.h"
#include "admin_exit.h"
#include "population_store.h"
#include "seed_population.h"
#include "seed_writer.h"

namespace {
QString Seconds(const QElapsedTimer& timer) { return QString::number(timer.elapsed() / 1000.0, 'f', 1); }
}  // namespace

int RunSeed(const QStringList& args, QTextStream& out, QTextStream& err) {
  const ParsedArgs parsed = ParseArgs(args, WithCredentials({{QStringLiteral("cards"), OptionKind::Count},
                                                             {QStringLiteral("seed"), OptionKind::Unsigned},
                                                             {QStringLiteral("date"), OptionKind::Date},
                                                             {QStringLiteral("population"), OptionKind::Path}}));
  if (!parsed.error.isEmpty()) {
    err << parsed.error << '\n' << "Вижте „tesaro-admin --help“.\n";
    return kExitUsage;
  }
  if (parsed.positional.size() != 1) {
    err << "Употреба: tesaro-admin seed ПЪТ --cards N [--seed S] [--date ДД.ММ.ГГГГ] [--population ФАЙЛ].\n";
    return kExitUsage;
  }
  if (!parsed.Has(QStringLiteral("cards"))) {
    err << "Липсва броят карти: --cards N.\n";
    return kExitUsage;
  }

  SeedRequest request;
  request.cards = parsed.Count(QStringLiteral("cards"));
  if (parsed.Has(QStringLiteral("seed"))) request.seed = parsed.Unsigned(QStringLiteral("seed"));
  if (parsed.Has(QStringLiteral("date"))) request.today = parsed.Date(QStringLiteral("date"));

  const ConnectionParams params = AdminConnection(parsed.positional.first(), parsed);
  if (RegisterFileMissing(params, err)) return kExitFailure;

  QElapsedTimer timer;
  timer.start();
  int committed = 0;
  try {
    Database database;
    database.Attach(params);
    const SeedSummary summary = SeedRegister(database, request, [&](int written, int total) {
      committed = written;
      err << "Записани " << written << " от " << total << " карти (" << Seconds(timer) << " с)\n" << Qt::flush;
    });
    if (parsed.Has(QStringLiteral("population"))) {
      const QString store = parsed.Option(QStringLiteral("population"));
      const PopulationSeedSummary population =
          WritePopulationForSeed(database, store, request.seed, [&](int done, int total) {
            err << "Население: " << done << " от " << total << " лица (" << Seconds(timer) << " с)\n" << Qt::flush;
          });
      out << "Базата с население " << store << ": " << population.written << " лица (" << population.otherCase
          << " с друг регистър на буквите, " << population.otherOrder << " с разменени имена, " << population.misspelt
          << " с правописна разлика), " << population.leftOut << " ЕГН без запис.\n";
    }
    database.Detach();
    out << "Добавени " << summary.cards << " карти с " << summary.members << " членове на домакинства, рег. номера "
        << summary.firstRegNum << "–" << summary.lastRegNum << ", за " << Seconds(timer) << " с.\n";
    return kExitOk;
  } catch (const PopulationError& error) {
    err << "Картите са добавени, но базата с население не е записана: " << QString::fromUtf8(error.what()) << '\n';
    return kExitFailure;
  } catch (const AppError& error) {  // a refusal (ValidationError) or the database's error
    err << "Попълването спря: " << error.Message() << '\n';
    if (committed > 0) err << "Записаните преди грешката " << committed << " карти остават в регистъра.\n";
    return kExitFailure;
  }
}
