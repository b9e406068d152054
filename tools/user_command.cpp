// tesaro-admin user add|passwd|list|remove over the login configuration (login_accounts.h).
#include "user_command.h"

#include <QFileInfo>
#include <optional>

#include "admin_args.h"
#include "admin_exit.h"
#include "login_accounts.h"
#include "password_prompt.h"
#include "server_user_command.h"

namespace {
const QString kPasswordStdin = QStringLiteral("--password-stdin");

int Usage(QTextStream& err, const QString& message) {
  err << message << '\n' << "Вижте „tesaro-admin --help“.\n";
  return kExitUsage;
}

// The register's entry after the options: the path of --register (absolute) or the configured
// one; the configured database user and password, else ISC_USER/ISC_PASSWORD or SYSDBA. (No
// --password option here: it would be mistaken for the new user's password.)
LoginDatabase RegisterEntry(const LoginConfig& config, const ParsedArgs& args) {
  const QString id = QString::fromLatin1(kRegisterDatabaseId);
  const bool configured = config.databases.contains(id);
  LoginDatabase database;
  config.FindDatabase(id, &database);
  if (!configured) {
    database.user = qEnvironmentVariable("ISC_USER", QStringLiteral("SYSDBA"));
    if (database.user.isEmpty()) database.user = QStringLiteral("SYSDBA");
    database.password = qEnvironmentVariable("ISC_PASSWORD");
  }
  if (args.Has(QStringLiteral("register"))) {
    const QString path = args.Option(QStringLiteral("register"));
    database.path = IsServerPath(path) ? path : QFileInfo(path).absoluteFilePath();
  }
  return database;
}

int Add(const ParsedArgs& args, const QString& configPath, bool fromStdin, QTextStream& in, QTextStream& out,
        QTextStream& err, bool stdinIsTerminal) {
  if (args.positional.size() != 1) return Usage(err, QStringLiteral("user add приема едно потребителско име."));
  if (!args.Has(QStringLiteral("rights")))
    return Usage(err, QStringLiteral("Липсва --rights (USER1, USER2, USER3, USER4 или USER6)."));
  NewLoginUser user{args.positional.first(), args.Option(QStringLiteral("name")).trimmed(),
                    args.Option(QStringLiteral("rights")), QString()};
  const LoginConfig config = ReadLoginConfig(configPath);
  // Everything that can be refused is refused before the password is asked for.
  for (const QString& problem :
       {LoginNameProblem(user.login), FullNameProblem(user.fullName), RightsGroupProblem(user.rights)})
    if (!problem.isEmpty()) throw LoginError(problem);
  if (config.FindUser(user.login))
    throw LoginError(QStringLiteral("Потребителят „%1“ вече съществува.").arg(user.login));
  const LoginDatabase database = RegisterEntry(config, args);
  if (!RegisterExists(ParamsOf(database)))
    throw LoginError(
        QStringLiteral("Регистърът %1 не съществува; създайте го с „tesaro-admin init-db“.").arg(database.path));

  const std::optional<QString> password = ReadNewPassword(in, out, err, fromStdin, stdinIsTerminal);
  if (!password) return kExitFailure;
  user.password = *password;
  AddLoginUser(configPath, database, user);
  out << "Потребителят „" << user.login << "“ е добавен с права " << user.rights << ".\n"
      << "Настройки за вход: " << configPath << '\n'
      << "Регистър: " << database.path << '\n';
  return kExitOk;
}

int Passwd(const ParsedArgs& args, const QString& configPath, bool fromStdin, QTextStream& in, QTextStream& out,
           QTextStream& err, bool stdinIsTerminal) {
  if (args.positional.size() != 1) return Usage(err, QStringLiteral("user passwd приема едно потребителско име."));
  const QString login = args.positional.first();
  if (!ReadLoginConfig(configPath).FindUser(login))
    throw LoginError(QStringLiteral("Няма потребител „%1“.").arg(login));
  const std::optional<QString> password = ReadNewPassword(in, out, err, fromStdin, stdinIsTerminal);
  if (!password) return kExitFailure;
  SetLoginPassword(configPath, login, *password);
  out << "Паролата на „" << login << "“ е сменена.\n";
  return kExitOk;
}

int List(const ParsedArgs& args, const QString& configPath, QTextStream& out, QTextStream& err) {
  if (!args.positional.isEmpty()) return Usage(err, QStringLiteral("user list не приема имена."));
  const LoginConfig config = ReadLoginConfig(configPath);
  LoginDatabase database;
  config.FindDatabase(QString::fromLatin1(kRegisterDatabaseId), &database);
  out << "Настройки за вход: " << configPath << '\n' << "Регистър: " << database.path << '\n';
  if (config.users.isEmpty()) {
    out << "Няма потребители.\n";
    return kExitOk;
  }
  qsizetype width = 12;
  for (const LoginUser& user : config.users) width = qMax(width, user.login.size() + 2);
  out << QStringLiteral("Потребител").leftJustified(width) << QStringLiteral("Права  ") << "Име\n";
  for (const LoginUser& user : config.users)
    out << user.login.leftJustified(width) << user.rights.leftJustified(7) << user.fullName << '\n';
  return kExitOk;
}

int Remove(const ParsedArgs& args, const QString& configPath, QTextStream& out, QTextStream& err) {
  if (args.positional.size() != 1) return Usage(err, QStringLiteral("user remove приема едно потребителско име."));
  const QString login = args.positional.first();
  const RegisterUserRemoval removal = RemoveLoginUser(configPath, login);
  out << "Потребителят „" << login << "“ е премахнат от настройките за вход.\n";
  SayRegisterUserRemoval(removal, out);
  if (removal == RegisterUserRemoval::NotThere) out << "В регистъра нямаше ред за него.\n";
  return kExitOk;
}
}  // namespace

int RunUser(const QStringList& args, QTextStream& in, QTextStream& out, QTextStream& err, bool stdinIsTerminal) {
  if (args.isEmpty()) return Usage(err, QStringLiteral("Липсва действие: user add|passwd|list|remove|migrate-roles."));
  const QString action = args.first();
  QStringList rest = args.mid(1);
  const bool fromStdin = rest.removeAll(kPasswordStdin) > 0;

  const bool migrate = action == QLatin1String("migrate-roles");
  std::vector<OptionRule> options{{QStringLiteral("config"), OptionKind::Path},
                                  {QStringLiteral("register"), OptionKind::Path}};
  if (action == QLatin1String("add"))
    options.insert(options.end(), {{QStringLiteral("name"), OptionKind::RegisterText},
                                   {QStringLiteral("rights"), OptionKind::Choice, RightsGroups()}});
  else if (action != QLatin1String("passwd") && action != QLatin1String("list") && action != QLatin1String("remove") &&
           !migrate)
    return Usage(err, QStringLiteral("Непознато действие „%1“: user add|passwd|list|remove|migrate-roles.").arg(action));
  if (fromStdin && action != QLatin1String("add") && action != QLatin1String("passwd") && !migrate)
    return Usage(err, QStringLiteral("--password-stdin се използва само с add, passwd и migrate-roles."));
  const ParsedArgs parsed = ParseArgs(rest, options);
  if (!parsed.error.isEmpty()) return Usage(err, parsed.error);
  const QString configPath = parsed.Option(QStringLiteral("config"), LoginConfigPath());

  // A register on a server: the clerks' accounts are the server's.
  try {
    LoginDatabase configured;
    ReadLoginConfig(configPath).FindDatabase(QString::fromLatin1(kRegisterDatabaseId), &configured);
    const QString registerPath = parsed.Option(QStringLiteral("register"), configured.path);
    if (IsServerPath(registerPath))
      return RunServerUser({action, parsed, configPath, registerPath, fromStdin, stdinIsTerminal}, in, out, err);
    if (migrate) throw LoginError(QStringLiteral("migrate-roles е за регистър на сървър (--register сървър:/път)."));
  } catch (const std::exception& error) {
    err << LoginErrorText(error) << '\n';
    return kExitFailure;
  }

  try {
    if (action == QLatin1String("add")) return Add(parsed, configPath, fromStdin, in, out, err, stdinIsTerminal);
    if (action == QLatin1String("passwd")) return Passwd(parsed, configPath, fromStdin, in, out, err, stdinIsTerminal);
    if (action == QLatin1String("list")) return List(parsed, configPath, out, err);
    return Remove(parsed, configPath, out, err);
  } catch (const std::exception& error) {
    err << LoginErrorText(error) << '\n';
    return kExitFailure;
  }
}
