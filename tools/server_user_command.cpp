#include "server_user_command.h"

#include "admin_exit.h"
#include "data/firebird/statement.h"
#include "data/schema/register_roles.h"
#include "login_accounts.h"
#include "password_prompt.h"
#include "server_accounts.h"

namespace {
// The server administrator's connection to the register: ISC_USER and ISC_PASSWORD, else asked
// on the terminal. The password is used for this run only.
std::optional<ConnectionParams> AdministratorParams(const ServerUserRequest& request, QTextStream& in,
                                                    QTextStream& out, QTextStream& err) {
  ConnectionParams params;
  params.path = request.registerPath;
  params.user = qEnvironmentVariable("ISC_USER");
  params.password = qEnvironmentVariable("ISC_PASSWORD");
  if (!params.password.isEmpty()) {
    if (params.user.isEmpty()) params.user = QStringLiteral("SYSDBA");
    return params;
  }
  if (!request.stdinIsTerminal) {
    err << "Задайте потребителя и паролата на администратора на сървъра в ISC_USER и ISC_PASSWORD.\n";
    return std::nullopt;
  }
  if (params.user.isEmpty()) {
    out << "Администратор на сървъра [SYSDBA]: " << Qt::flush;
    params.user = in.readLine().trimmed();
    if (params.user.isEmpty()) params.user = QStringLiteral("SYSDBA");
  }
  bool ended = false;
  params.password = AskHidden(in, out, QStringLiteral("Парола на %1: ").arg(params.user), &ended);
  if (ended) return std::nullopt;
  return params;
}

void Require(const QString& problem) {
  if (!problem.isEmpty()) throw LoginError(problem);
}

QString OneLogin(const ServerUserRequest& request) {
  if (request.args.positional.size() != 1)
    throw LoginError(QStringLiteral("user %1 приема едно потребителско име.").arg(request.action));
  const QString login = request.args.positional.first();
  Require(ServerLoginProblem(login));
  return ServerLoginName(login);
}

// The workstation's login file names the register; the clerks' accounts and passwords are the
// server's, so it keeps no password for it, and after a migration no user list either.
void PointLoginFileAt(const QString& configPath, const QString& registerPath, bool dropUsers) {
  LoginConfig config = ReadLoginConfig(configPath);
  config.databases.insert(QString::fromLatin1(kRegisterDatabaseId), LoginDatabase{registerPath, QString(), QString()});
  if (dropUsers) config.users.clear();
  WriteLoginConfig(configPath, config);
}

int Add(const ServerUserRequest& request, Database& admin, const ConnectionParams& params, QTextStream& in,
        QTextStream& out, QTextStream& err) {
  const QString login = OneLogin(request);
  if (!request.args.Has(QStringLiteral("rights")))
    throw LoginError(QStringLiteral("Липсва --rights (USER1, USER2, USER3, USER4 или USER6)."));
  const QString rights = request.args.Option(QStringLiteral("rights"));
  const QString fullName = request.args.Option(QStringLiteral("name")).trimmed();
  Require(FullNameProblem(fullName));
  if (ServerAccountExists(admin, login))
    throw LoginError(QStringLiteral("Потребителят „%1“ вече съществува на сървъра.").arg(login));
  const std::optional<QString> password =
      ReadNewPassword(in, out, err, request.passwordsFromStdin, request.stdinIsTerminal);
  if (!password) return kExitFailure;
  Require(ServerPasswordProblem(*password));
  CreateServerAccount(admin, login, *password, rights);
  EnsureRegisterUser(params, login, fullName);
  PointLoginFileAt(request.configPath, request.registerPath, false);
  out << "Потребителят „" << login << "“ е добавен на сървъра с права " << rights << ".\n"
      << "Регистър: " << request.registerPath << '\n';
  return kExitOk;
}

int Passwd(const ServerUserRequest& request, Database& admin, QTextStream& in, QTextStream& out, QTextStream& err) {
  const QString login = OneLogin(request);
  if (!ServerAccountExists(admin, login)) throw LoginError(QStringLiteral("Няма потребител „%1“.").arg(login));
  const std::optional<QString> password =
      ReadNewPassword(in, out, err, request.passwordsFromStdin, request.stdinIsTerminal);
  if (!password) return kExitFailure;
  SetServerAccountPassword(admin, login, *password);
  out << "Паролата на „" << login << "“ е сменена.\n";
  return kExitOk;
}

int Remove(const ServerUserRequest& request, Database& admin, const ConnectionParams& params, QTextStream& out) {
  const QString login = OneLogin(request);
  if (!ServerAccountExists(admin, login)) throw LoginError(QStringLiteral("Няма потребител „%1“.").arg(login));
  DropServerAccount(admin, login);
  out << "Акаунтът на „" << login << "“ на сървъра е премахнат.\n";
  SayRegisterUserRemoval(RemoveRegisterUser(params, login), out);
  return kExitOk;
}

QString FullNameOf(Database& admin, const QString& login) {
  Statement query(admin, QStringLiteral("select FULL_NAME from USERS where NAME = ?"));
  query.Bind(0, login);
  return query.ScalarValue().toString();
}

int List(const ServerUserRequest& request, Database& admin, QTextStream& out) {
  if (!request.args.positional.isEmpty()) throw LoginError(QStringLiteral("user list не приема имена."));
  out << "Регистър: " << request.registerPath << '\n';
  const QList<ServerAccount> accounts = RegisterServerAccounts(admin);
  if (accounts.isEmpty()) {
    out << "Няма потребители.\n";
    return kExitOk;
  }
  qsizetype width = 12;
  for (const ServerAccount& account : accounts) width = qMax(width, account.login.size() + 2);
  out << QStringLiteral("Потребител").leftJustified(width) << QStringLiteral("Права  ") << "Име\n";
  for (const ServerAccount& account : accounts)
    out << account.login.leftJustified(width) << account.rights.leftJustified(7) << FullNameOf(admin, account.login)
        << '\n';
  return kExitOk;
}

// An existing register on a server and the users of the login file: the roles made in the
// register, each user an account (a new one asks for its password) holding their group's role,
// and the login file left with the register's path only.
int MigrateRoles(const ServerUserRequest& request, Database& admin, const ConnectionParams& params, QTextStream& in,
                 QTextStream& out, QTextStream& err) {
  if (!request.args.positional.isEmpty()) throw LoginError(QStringLiteral("user migrate-roles не приема имена."));
  CreateRegisterRoles(admin);
  out << "Ролите на групите права са създадени в регистъра " << request.registerPath << ".\n";
  const LoginConfig config = ReadLoginConfig(request.configPath);
  int refused = 0;
  for (const LoginUser& user : config.users) {
    if (const QString problem = ServerLoginProblem(user.login); !problem.isEmpty()) {
      err << "„" << user.login << "“ е пропуснат: " << problem << '\n';
      ++refused;
      continue;
    }
    if (RegisterRoleOf(user.rights).isEmpty()) {
      err << "„" << user.login << "“ е пропуснат: " << RightsGroupProblem(user.rights) << '\n';
      ++refused;
      continue;
    }
    const QString login = ServerLoginName(user.login);
    if (ServerAccountExists(admin, login)) {
      GrantRightsGroup(admin, login, user.rights);
    } else {
      out << "Нова парола на сървъра за „" << login << "“.\n" << Qt::flush;
      const std::optional<QString> password =
          ReadNewPassword(in, out, err, request.passwordsFromStdin, request.stdinIsTerminal);
      if (!password) return kExitFailure;
      Require(ServerPasswordProblem(*password));
      CreateServerAccount(admin, login, *password, user.rights);
    }
    EnsureRegisterUser(params, login, user.fullName);
    out << "„" << login << "“: " << user.rights << '\n';
  }
  if (refused > 0) {
    err << "Файлът " << request.configPath << " остава непроменен, докато всички потребители не бъдат прехвърлени.\n";
    return kExitFailure;
  }
  PointLoginFileAt(request.configPath, request.registerPath, true);
  out << "Файлът " << request.configPath << " вече посочва само регистъра, без потребители и пароли.\n";
  return kExitOk;
}
}  // namespace

int RunServerUser(const ServerUserRequest& request, QTextStream& in, QTextStream& out, QTextStream& err) {
  const std::optional<ConnectionParams> params = AdministratorParams(request, in, out, err);
  if (!params) return kExitFailure;
  Database admin;
  admin.Attach(*params);
  const QString& action = request.action;
  if (action == QLatin1String("add")) return Add(request, admin, *params, in, out, err);
  if (action == QLatin1String("passwd")) return Passwd(request, admin, in, out, err);
  if (action == QLatin1String("remove")) return Remove(request, admin, *params, out);
  if (action == QLatin1String("list")) return List(request, admin, out);
  return MigrateRoles(request, admin, *params, in, out, err);
}

void SayRegisterUserRemoval(RegisterUserRemoval removal, QTextStream& out) {
  switch (removal) {
    case RegisterUserRemoval::Removed:
      out << "Редът му в таблица users на регистъра е изтрит.\n";
      break;
    case RegisterUserRemoval::KeptForHistory:
      out << "Редът му в таблица users на регистъра остава, защото историята на действията се позовава на него.\n";
      break;
    case RegisterUserRemoval::NotThere:
      break;
  }
}
