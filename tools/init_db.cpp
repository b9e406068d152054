// Creating a new register from the command line.
#include "init_db.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "admin_args.h"
#include "admin_connection.h"
#include "admin_exit.h"
#include "data/firebird/cp1251.h"
#include "data/nom_table.h"
#include "data/schema/register_setup.h"

namespace {
void CheckMunicipality(const QString& municipality) {
  if (municipality.size() > kMunicipalityLength)
    throw ValidationError(QStringLiteral("Името на общината е по-дълго от %1 знака.").arg(kMunicipalityLength));
  if (!FitsCp1251(municipality))
    throw ValidationError(QStringLiteral("Името на общината съдържа знаци, които регистърът не може да съхрани."));
}

void CheckOffice(const QString& office) {
  if (office.size() > nom_settings::kOfficeLength)
    throw ValidationError(QStringLiteral("Името на службата е по-дълго от %1 знака.").arg(nom_settings::kOfficeLength));
}

void CheckLocalPath(const QString& path) {
  const QFileInfo file(path);
  if (file.isDir()) throw ValidationError(QStringLiteral("%1 е папка; посочете име на файл.").arg(path));
  if (file.exists()) throw ValidationError(QStringLiteral("Файлът %1 вече съществува; регистърът не е създаден.").arg(path));
  if (!file.absoluteDir().exists())
    throw ValidationError(QStringLiteral("Папката %1 не съществува; регистърът не е създаден.").arg(file.absolutePath()));
}

QString ReadAnswer(QTextStream& in, bool* ended) {
  const QString line = in.readLine();
  *ended = line.isNull();
  return line.trimmed();
}
}  // namespace

QString DefaultRegisterPath() {
  QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  if (base.isEmpty()) base = QDir::homePath();
  return base + QStringLiteral("/Tesaro/register.fdb");
}

void InitRegister(const ConnectionParams& params, const QString& municipality, const QString& office) {
  CheckMunicipality(municipality);
  CheckOffice(office);
  if (!IsServerPath(params.path)) CheckLocalPath(params.path);
  Database database;
  try {
    // A failing creation drops what it made, so nothing half-made blocks the next attempt.
    CreateRegister(database, params, municipality, office);
    database.Detach();
  } catch (const DbError& error) {
    throw DbError(QStringLiteral("Регистърът не е създаден: %1").arg(error.Message()), error.GdsCode());
  }
}

int RunInteractiveInit(QTextStream& in, QTextStream& out, QTextStream& err, const QString& defaultPath) {
  bool ended = false;
  out << "Създаване на нов регистър.\n";
  out << "Път до файла на регистъра [" << defaultPath << "]: " << Qt::flush;
  QString path = ReadAnswer(in, &ended);
  if (ended) {
    err << "Прекъснато; регистърът не е създаден.\n";
    return kExitFailure;
  }
  const bool useDefault = path.isEmpty();
  if (useDefault) path = defaultPath;

  QString municipality;
  while (municipality.isEmpty()) {
    out << "Община (например „Община Пловдив“): " << Qt::flush;
    municipality = ReadAnswer(in, &ended);
    if (ended) {
      err << "Прекъснато; регистърът не е създаден.\n";
      return kExitFailure;
    }
  }

  try {
    if (useDefault && !IsServerPath(path)) {
      const QString folder = QFileInfo(path).absolutePath();
      if (!QDir().mkpath(folder)) throw ValidationError(QStringLiteral("Папката %1 не може да бъде създадена.").arg(folder));
    }
    const ConnectionParams params = AdminConnection(path, ParsedArgs{});
    InitRegister(params, municipality);
    out << "Регистърът е създаден: " << params.path << '\n';
    return kExitOk;
  } catch (const AppError& error) {  // a refusal (ValidationError) or the database's error
    err << error.Message() << '\n';
    return kExitFailure;
  }
}

int RunInitDb(const QStringList& args, QTextStream& in, QTextStream& out, QTextStream& err, bool stdinIsTerminal) {
  const ParsedArgs parsed =
      ParseArgs(args, WithCredentials({{QStringLiteral("municipality"), OptionKind::RegisterText},
                                       {QStringLiteral("office"), OptionKind::RegisterText}}));
  if (!parsed.error.isEmpty()) {
    err << parsed.error << '\n' << "Вижте „tesaro-admin --help“.\n";
    return kExitUsage;
  }
  if (parsed.positional.size() > 1) {
    err << "init-db приема един път, а са дадени " << parsed.positional.size() << ".\n";
    return kExitUsage;
  }
  if (parsed.positional.isEmpty()) {
    if (!stdinIsTerminal) {
      err << "Липсва път до новия регистър: tesaro-admin init-db ПЪТ [--municipality ИМЕ].\n";
      return kExitUsage;
    }
    return RunInteractiveInit(in, out, err, DefaultRegisterPath());
  }
  const QString path = parsed.positional.first();
  if (path.trimmed().isEmpty()) {
    err << "Пътят до новия регистър е празен.\n";
    return kExitUsage;
  }
  try {
    const ConnectionParams params = AdminConnection(path, parsed);
    const QString municipality = parsed.Option(QStringLiteral("municipality")).trimmed();
    InitRegister(params, municipality, parsed.Option(QStringLiteral("office")).simplified());
    out << "Регистърът е създаден: " << params.path << '\n';
    return kExitOk;
  } catch (const AppError& error) {  // a refusal (ValidationError) or the database's error
    err << error.Message() << '\n';
    return kExitFailure;
  }
}
