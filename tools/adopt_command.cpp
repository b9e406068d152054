#include "adopt_command.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "admin_args.h"
#include "admin_connection.h"
#include "admin_exit.h"
#include "adoption/adoption_report.h"
#include "adoption/schema_bring_up.h"
#include "backup_command.h"
#include "core/clock.h"
#include "core/output_file.h"
#include "data/action_log.h"
#include "data/data_module.h"
#include "data/firebird/db_error.h"
#include "data/firebird/statement.h"
#include "data/register_settings.h"
#include "data/schema/code_lists.h"
#include "data/schema/register_setup.h"
#include "euro_command.h"

namespace {
const char* const kUsage =
    "Употреба: tesaro-admin adopt ИЗТОЧНИК НОВ_РЕГИСТЪР [--report ФАЙЛ.pdf] [--euro] "
    "[--user ПОТРЕБИТЕЛ --password ПАРОЛА]\n";

// A stop of the adoption with its reason; the new register is removed.
class AdoptionStop : public AppError {
 public:
  using AppError::AppError;
};

// True when `path` begins like a database file rather than a gbak backup: the header page of
// a database is page type 1 with the page size at offset 16 and the on-disk structure's version
// at offset 18 (high bit set by Firebird), both little-endian.
bool LooksLikeDatabaseFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  const QByteArray start = file.read(20);
  if (start.size() < 20 || start[0] != 1) return false;
  auto word = [&start](int at) {
    return static_cast<unsigned>(static_cast<unsigned char>(start[at])) |
           static_cast<unsigned>(static_cast<unsigned char>(start[at + 1])) << 8;
  };
  const unsigned pageSize = word(16);
  const unsigned version = word(18) & 0x7fff;
  const bool pageSizeKnown = pageSize >= 1024 && pageSize <= 32768 && (pageSize & (pageSize - 1)) == 0;
  return pageSizeKnown && version >= 8 && version <= 13;
}

// Restores SOURCE into `target`. A database (a local file or one on a server) is first backed
// up with gbak; a local one from a copy, so that not even the engine's counters in it change.
void Restore(const QString& source, const ConnectionParams& target, QTextStream& err) {
  QTemporaryDir work;
  if (!work.isValid()) throw AdoptionStop(QStringLiteral("Няма място за временни файлове: %1").arg(work.errorString()));
  QString backup = source;
  const bool fromServer = IsServerPath(source);
  if (fromServer || LooksLikeDatabaseFile(source)) {
    QString database = source;
    if (!fromServer) {
      database = work.filePath(QStringLiteral("source.fdb"));
      if (!QFile::copy(source, database))
        throw AdoptionStop(QStringLiteral("Базата %1 не може да бъде копирана за архивиране.").arg(source));
      QFile::setPermissions(database, QFile::ReadOwner | QFile::WriteOwner);
    }
    backup = work.filePath(QStringLiteral("source.fbk"));
    err << "Архивиране на базата " << source << "…\n" << Qt::flush;
    ConnectionParams sourceParams = target;
    sourceParams.path = database;
    // -g: no garbage collection, the old versions of rows are simply not carried over.
    if (!RunGbak({QStringLiteral("-b"), QStringLiteral("-g"), database, backup}, sourceParams, err))
      throw AdoptionStop(QStringLiteral("Базата %1 не може да бъде архивирана с gbak.").arg(source));
  }
  err << "Възстановяване в " << target.path << "…\n" << Qt::flush;
  if (!RunGbak({QStringLiteral("-c"), backup, target.path}, target, err))
    throw AdoptionStop(QStringLiteral("%1 не може да бъде възстановен в %2 с gbak; причината е в съобщението на "
                                      "gbak по-горе (очаква се архив от gbak или база на Firebird/InterBase, а "
                                      "новият регистър не бива да съществува).")
                           .arg(source, target.path));
  if (!IsServerPath(target.path)) MakeRegisterFilePrivate(target.path);
}

std::vector<int> PresentCodeRows(Database& database) {
  Statement rows(database, QStringLiteral("select N from NOM where N between 0 and 9"));
  rows.Open();
  std::vector<int> present;
  while (rows.Next()) present.push_back(rows.Value(0).toInt());
  return present;
}

// Removes the register this adoption made; a failure to remove it is said, not hidden.
void RemoveNewRegister(const ConnectionParams& params, QTextStream& err) {
  try {
    Database database;
    database.Attach(params);
    database.Drop();
  } catch (const DbError&) {
    if (IsServerPath(params.path)) {
      err << "Непълният регистър " << params.path << " не можа да бъде премахнат от сървъра; премахнете го.\n";
      return;
    }
  }
  if (!IsServerPath(params.path) && QFileInfo::exists(params.path) && !QFile::remove(params.path))
    err << "Непълният регистър " << params.path << " не можа да бъде изтрит; изтрийте го.\n";
}

AdoptionReport Adopt(const QString& source, const ConnectionParams& params, bool euro, QTextStream& err,
                     bool& created) {
  AdoptionReport report;
  report.source = source;
  report.target = params.path;
  err << "Схемата на програмата…\n" << Qt::flush;
  const SchemaCatalog wanted = RegisterSchemaCatalog();
  // A local file was checked to be absent, so whatever is there after a failure is this
  // adoption's; on a server gbak refuses a database that exists, and only a restore that
  // succeeded made one.
  if (!IsServerPath(params.path)) created = true;
  Restore(source, params, err);
  created = true;

  TDataModule1 data;
  data.Connect(params);
  Database& database = data.Db();
  err << "Сравняване на схемата…\n" << Qt::flush;
  const SchemaPlan plan = PlanSchemaBringUp(database, ReadSchemaCatalog(database), wanted);
  database.DefaultTransaction().Commit();
  if (!plan.blocking.isEmpty()) {
    data.Disconnect();
    throw AdoptionStop(QStringLiteral("Регистърът не може да бъде приет без промяна на стойности:\n  ") +
                       plan.blocking.join(QStringLiteral("\n  ")));
  }
  err << "Допълване на схемата (" << plan.statements.size() << " промени)…\n" << Qt::flush;
  ApplySchemaPlan(database, plan);
  report.schemaChanges = plan.changes;
  report.schemaNotes = plan.notes;
  report.generatorsMoved = SetGeneratorsPastKeys(database);
  err << "Преброяване на членовете…\n" << Qt::flush;
  report.memberCountsFixed = RecomputeMemberCounts(database);
  for (int row : AddMissingCodeListRows(database, PresentCodeRows(database), kDefaultRegistrationYears))
    report.codeRowsAdded << row;
  database.DefaultTransaction().Commit();
  err << "Проверка на данните…\n" << Qt::flush;
  report.data = CheckRegisterData(database);
  database.DefaultTransaction().Commit();

  data.SetCurrentUser(QString::fromLatin1(kAdminHistoryUser), 0);
  data.BeginWrite();
  LogAction(data, 0, QString::fromLatin1(kLogKindSystem), QStringLiteral("Приемане на регистъра от ") + source);
  data.Commit();
  if (euro) {
    err << "Превръщане на сумите в евро…\n" << Qt::flush;
    QString said;
    QTextStream saidStream(&said);
    ConvertRegisterAmounts(data, false, saidStream, err);
    saidStream.flush();
    for (const QString& line : said.split(u'\n', Qt::SkipEmptyParts)) report.euro << line.trimmed();
  } else if (AmountsConvertedToEuro(data)) {
    report.euro << QStringLiteral("Сумите в регистъра вече са в евро.");
  } else {
    report.euro << QStringLiteral("Сумите са в лева; превърнете ги с „tesaro-admin euro %1“.").arg(params.path);
  }
  data.Disconnect();
  report.finished = Clock::Now();
  return report;
}
}  // namespace

int RunAdopt(const QStringList& args, QTextStream& out, QTextStream& err) {
  const ParsedArgs parsed = ParseArgs(args, WithCredentials({{QStringLiteral("report"), OptionKind::Path},
                                                             {QStringLiteral("euro"), OptionKind::Flag}}));
  if (!parsed.error.isEmpty()) {
    err << parsed.error << '\n' << kUsage;
    return kExitUsage;
  }
  if (parsed.positional.size() != 2) {
    err << kUsage;
    return kExitUsage;
  }
  const QString source = IsServerPath(parsed.positional.at(0)) ? parsed.positional.at(0)
                                                                 : QFileInfo(parsed.positional.at(0)).absoluteFilePath();
  const ConnectionParams params = AdminConnection(parsed.positional.at(1), parsed);
  const QString reportPath =
      parsed.Has(QStringLiteral("report")) ? QFileInfo(parsed.Option(QStringLiteral("report"))).absoluteFilePath() : QString();
  if (!IsServerPath(source) && !QFileInfo(source).isFile()) {
    err << "Източникът " << source << " не съществува или не е файл.\n";
    return kExitFailure;
  }
  if (!IsServerPath(params.path)) {
    const QFileInfo target(params.path);
    if (target.exists() || target.isSymLink()) {
      err << "Файлът " << params.path << " вече съществува; приемането не презаписва регистър. Изберете нов път.\n";
      return kExitFailure;
    }
    if (!target.absoluteDir().exists()) {
      err << "Папката " << target.absolutePath() << " не съществува.\n";
      return kExitFailure;
    }
    if (target.absoluteFilePath() == source) {
      err << "Източникът и новият регистър са един и същ файл.\n";
      return kExitFailure;
    }
  }
  if (!reportPath.isEmpty()) {
    if (const QString problem = OutputTargetProblem(reportPath); !problem.isEmpty()) {
      err << FileWriteError(reportPath, problem).Message() << "\nРегистърът не е приет.\n";
      return kExitFailure;
    }
  }
  bool created = false;
  try {
    const AdoptionReport report = Adopt(source, params, parsed.Has(QStringLiteral("euro")), err, created);
    out << AdoptionReportText(report);
    if (!reportPath.isEmpty()) {
      WriteAdoptionReportPdf(report, reportPath);
      out << "\nОтчетът е записан в " << reportPath << ".\n";
    }
    out << "\nРегистърът е приет: " << params.path << '\n';
    return kExitOk;
  } catch (const std::exception& error) {
    const auto* appError = dynamic_cast<const AppError*>(&error);
    err << (appError ? appError->Message() : QString::fromLocal8Bit(error.what())) << '\n';
    if (created) {
      RemoveNewRegister(params, err);
      err << "Регистърът не е приет; " << params.path << " е премахнат, източникът е непроменен.\n";
    } else {
      err << "Регистърът не е приет; източникът е непроменен.\n";
    }
    return kExitFailure;
  }
}
