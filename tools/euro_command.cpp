#include "euro_command.h"

#include "adoption/euro_conversion.h"
#include "admin_args.h"
#include "admin_connection.h"
#include "admin_exit.h"
#include "core/app_error.h"
#include "data/data_module.h"

namespace {
const char* const kUsage = "Употреба: tesaro-admin euro РЕГИСТЪР [--dry-run] [--user ПОТРЕБИТЕЛ --password ПАРОЛА]\n";
// How many changed cards a dry run lists before it says how many more there are.
constexpr int kListedChanges = 20;
}  // namespace

void ConvertRegisterAmounts(TDataModule1& data, bool dryRun, QTextStream& out, QTextStream& err) {
  // The changes are recorded under the tool's own name; USER_ID 0 belongs to no clerk.
  if (!data.HasCurrentUser()) data.SetCurrentUser(QString::fromLatin1(kAdminHistoryUser), 0);
  const EuroConversionResult result = ConvertAmountsToEuro(data, dryRun, [&err](int done, int total) {
    err << "Превърнати " << done << " от " << total << " картона\n" << Qt::flush;
  });
  if (result.alreadyConverted) {
    out << "Сумите в регистъра вече са в евро; нищо не е променено.\n";
    return;
  }
  if (!result.declaredInEuro.isEmpty()) {
    out << "Картони с декларация от 01.01.2026 или по-късно са оставени както са (сумите им са в евро): "
        << result.declaredInEuro.size() << '\n';
    for (int i = 0; i < result.declaredInEuro.size() && i < kListedChanges; ++i)
      out << "  " << result.declaredInEuro.at(i) << '\n';
    if (result.declaredInEuro.size() > kListedChanges)
      out << "  … и още " << result.declaredInEuro.size() - kListedChanges << " картона.\n";
  }
  if (dryRun) {
    out << "Проба, нищо не е записано. Ще бъдат превърнати " << result.amounts << " суми в " << result.cards
        << " картона (1 € = 1,95583 лв, закръгляне до цент):\n";
    for (int i = 0; i < result.changes.size() && i < kListedChanges; ++i) out << "  " << result.changes.at(i) << '\n';
    if (result.changes.size() > kListedChanges)
      out << "  … и още " << result.changes.size() - kListedChanges << " картона.\n";
    return;
  }
  out << "Сумите са превърнати в евро: " << result.amounts << " суми в " << result.cards
      << " картона; всяка промяна е записана в историята на действията.\n";
}

int RunEuro(const QStringList& args, QTextStream& out, QTextStream& err) {
  const ParsedArgs parsed = ParseArgs(args, WithCredentials({{QStringLiteral("dry-run"), OptionKind::Flag}}));
  if (!parsed.error.isEmpty()) {
    err << parsed.error << '\n' << kUsage;
    return kExitUsage;
  }
  if (parsed.positional.size() != 1) {
    err << kUsage;
    return kExitUsage;
  }
  const ConnectionParams params = AdminConnection(parsed.positional.first(), parsed);
  if (RegisterFileMissing(params, err)) return kExitFailure;
  try {
    TDataModule1 data;
    data.Connect(params);
    ConvertRegisterAmounts(data, parsed.Has(QStringLiteral("dry-run")), out, err);
    data.Disconnect();
    return kExitOk;
  } catch (const AppError& error) {
    err << "Сумите не са превърнати: " << error.Message() << '\n';
    return kExitFailure;
  }
}
