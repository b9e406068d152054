// gbak gets the database's user and password through its environment, not its command line,
// so they never show in the process list.
#include "backup_command.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include "admin_args.h"
#include "admin_connection.h"
#include "admin_exit.h"
#include "core/output_file.h"
#include "data/data_module.h"
#include "data/firebird/statement.h"

// Runs gbak with `args`; its own output goes to `err` on failure. True when it succeeded.
bool RunGbak(const QStringList& args, const ConnectionParams& params, QTextStream& err) {
  const QString gbak = QStandardPaths::findExecutable(QStringLiteral("gbak"));
  if (gbak.isEmpty()) {
    err << "Програмата gbak липсва (пакет firebird3.0-utils); инсталирайте я със scripts/deps.sh.\n";
    return false;
  }
  QProcess process;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("ISC_USER"), params.user);
  env.insert(QStringLiteral("ISC_PASSWORD"), params.password);
  process.setProcessEnvironment(env);
  process.setProcessChannelMode(QProcess::MergedChannels);
  // On a full disk gbak asks on its standard input for another volume and would wait for ever;
  // with nothing to read it gives up and says why.
  process.setStandardInputFile(QProcess::nullDevice());
  process.start(gbak, args);
  if (!process.waitForStarted(30000) || !process.waitForFinished(-1)) {
    err << "gbak не можа да се изпълни: " << process.errorString() << '\n';
    return false;
  }
  if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
    err << QString::fromLocal8Bit(process.readAll()).trimmed() << '\n';
    return false;
  }
  return true;
}

namespace {
// Opens the register and counts its cards: proves it is a register that opens, and gives the
// figure the command reports. Opening it also prepares the embedded engine's environment,
// which gbak inherits.
int CountCards(const ConnectionParams& params) {
  TDataModule1 data;
  data.Connect(params);
  Statement count(data.Db(), QStringLiteral("select count(*) from RGS_CARD"));
  const int cards = count.ScalarValue().toInt();
  data.Disconnect();
  return cards;
}

bool ParseTwo(const QStringList& args, const char* usage, ParsedArgs& parsed, QTextStream& err) {
  parsed = ParseArgs(args, CredentialRules());
  if (!parsed.error.isEmpty()) {
    err << parsed.error << '\n' << "Вижте „tesaro-admin --help“.\n";
    return false;
  }
  if (parsed.positional.size() != 2) {
    err << "Употреба: " << usage << '\n';
    return false;
  }
  return true;
}
}  // namespace

int RunBackup(const QStringList& args, QTextStream& out, QTextStream& err) {
  ParsedArgs parsed;
  if (!ParseTwo(args, "tesaro-admin backup РЕГИСТЪР ФАЙЛ [--user ПОТРЕБИТЕЛ --password ПАРОЛА]", parsed, err))
    return kExitUsage;
  const ConnectionParams params = AdminConnection(parsed.positional.at(0), parsed);
  const QString file = QFileInfo(parsed.positional.at(1)).absoluteFilePath();
  if (RegisterFileMissing(params, err)) return kExitFailure;
  if (const QString problem = OutputTargetProblem(file); !problem.isEmpty()) {
    err << FileWriteError(file, problem).Message() << '\n' << "Архивът не е направен.\n";
    return kExitFailure;
  }
  int cards = 0;
  try {
    cards = CountCards(params);
  } catch (const DbError& error) {
    err << "Регистърът не се отваря: " << error.Message() << '\n';
    return kExitFailure;
  }
  // gbak writes a temporary file beside the backup, which replaces an older backup only when
  // gbak says it is complete: a half-written backup never passes for a whole one.
  try {
    OutputFile backup(file);
    if (!RunGbak({QStringLiteral("-b"), params.path, backup.TemporaryPath()}, params, err)) {
      err << "Архивът не е направен; по-старият файл " << file << ", ако има такъв, е непроменен.\n";
      return kExitFailure;
    }
    backup.Commit();
  } catch (const FileWriteError& error) {
    err << error.Message() << '\n' << "Архивът не е направен.\n";
    return kExitFailure;
  }
  out << "Архивът на регистъра (" << cards << " картона) е записан в " << file << ".\n";
  return kExitOk;
}

int RunRestore(const QStringList& args, QTextStream& out, QTextStream& err) {
  ParsedArgs parsed;
  if (!ParseTwo(args, "tesaro-admin restore ФАЙЛ РЕГИСТЪР [--user ПОТРЕБИТЕЛ --password ПАРОЛА]", parsed, err))
    return kExitUsage;
  const QString file = QFileInfo(parsed.positional.at(0)).absoluteFilePath();
  const ConnectionParams params = AdminConnection(parsed.positional.at(1), parsed);
  if (!QFileInfo(file).isFile()) {
    err << "Архивът " << file << " не съществува.\n";
    return kExitFailure;
  }
  if (!IsServerPath(params.path) && QFileInfo::exists(params.path)) {
    err << "Файлът " << params.path << " вече съществува; възстановяването не презаписва регистър. "
        << "Изберете нов път.\n";
    return kExitFailure;
  }
  // -c creates the database and refuses one that exists, on a server too.
  if (!RunGbak({QStringLiteral("-c"), file, params.path}, params, err)) {
    err << "Регистърът не е възстановен.\n";
    return kExitFailure;
  }
  MakeRegisterFilePrivate(params.path);
  try {
    const int cards = CountCards(params);
    out << "Регистърът е възстановен в " << params.path << " (" << cards << " картона).\n";
    return kExitOk;
  } catch (const DbError& error) {
    err << "Възстановеният регистър не се отваря: " << error.Message() << '\n';
    return kExitFailure;
  }
}
