// Account operations over the login configuration and the register's users table.
#include "login_accounts.h"

#include "password_hash.h"
#include "server_accounts.h"

namespace {
void Require(const QString& problem) {
  if (!problem.isEmpty()) throw LoginError(problem);
}

void CheckNewUser(const QString& login, const QString& fullName, const QString& rights, const QString& password) {
  Require(LoginNameProblem(login));
  Require(FullNameProblem(fullName));
  Require(RightsGroupProblem(rights));
  Require(NewPasswordProblem(password));
}

// The register's path when it is on a server, else an empty text.
QString ServerRegisterPath(const LoginConfig& config) {
  LoginDatabase database;
  config.FindDatabase(QString::fromLatin1(kRegisterDatabaseId), &database);
  return IsServerPath(database.path) ? database.path : QString();
}

// The server checks the name and password; the group is the role the account holds there.
// A server that cannot be asked is no wrong password: its DbError goes to the caller, who says
// so. So does an account that holds no group's role in this register.
std::optional<LoginUser> CheckServerUser(const QString& registerPath, const QString& login, const QString& password) {
  QString rights;
  if (CheckServerCredentials(registerPath, login, password, &rights) != ServerSignIn::Accepted) return std::nullopt;
  if (rights.isEmpty())
    throw LoginError(QStringLiteral("Потребителят „%1“ няма група права в регистъра %2; администраторът я дава с "
                                    "„tesaro-admin user add“ или „user migrate-roles“.")
                         .arg(login, registerPath));
  LoginUser user;
  user.login = ServerLoginName(login);
  user.rights = rights;
  user.serverPassword = password;
  return user;
}

LoginUser& ExistingUser(LoginConfig& config, const QString& login) {
  LoginUser* user = config.FindUser(login);
  if (!user) throw LoginError(QStringLiteral("Няма потребител „%1“.").arg(login));
  return *user;
}
}  // namespace

ConnectionParams ParamsOf(const LoginDatabase& database) {
  ConnectionParams params;
  params.path = database.path;
  params.user = database.user;
  params.password = database.password;
  return params;
}

std::optional<LoginUser> CheckCredentials(const LoginConfig& config, const QString& login, const QString& password) {
  const QString serverPath = ServerRegisterPath(config);
  if (!serverPath.isEmpty()) return CheckServerUser(serverPath, login, password);
  const LoginUser* user = config.FindUser(login);
  if (!user || !VerifyPassword(user->passwordHash, password)) return std::nullopt;
  return *user;
}

LoginConfig CreateFirstAdministrator(const QString& configPath, const FirstAdministrator& admin,
                                     const QString& registerPath) {
  LoginConfig config = ReadLoginConfig(configPath);
  if (!config.users.isEmpty())
    throw LoginError(QStringLiteral("Вече има потребители; първият администратор не се създава отново."));
  const QString rights = QStringLiteral("USER1");
  CheckNewUser(admin.login, admin.fullName, rights, admin.password);

  LoginDatabase database;
  config.FindDatabase(QString::fromLatin1(kRegisterDatabaseId), &database);
  if (!registerPath.isEmpty()) database.path = registerPath;
  const ConnectionParams params = ParamsOf(database);
  if (!RegisterExists(params)) {
    if (admin.municipality.trimmed().isEmpty()) throw LoginError(QStringLiteral("Въведете името на общината."));
    CreateRegisterFile(params, admin.municipality.trimmed());
  }
  EnsureRegisterUser(params, admin.login, admin.fullName);

  config.databases.insert(QString::fromLatin1(kRegisterDatabaseId), database);
  config.users << LoginUser{admin.login, admin.fullName, rights, HashPassword(admin.password)};
  WriteLoginConfig(configPath, config);
  return config;
}

void AddLoginUser(const QString& configPath, const LoginDatabase& database, const NewLoginUser& user) {
  LoginConfig config = ReadLoginConfig(configPath);
  CheckNewUser(user.login, user.fullName, user.rights, user.password);
  if (config.FindUser(user.login))
    throw LoginError(QStringLiteral("Потребителят „%1“ вече съществува.").arg(user.login));
  const ConnectionParams params = ParamsOf(database);
  if (!RegisterExists(params))
    throw LoginError(
        QStringLiteral("Регистърът %1 не съществува; създайте го с „tesaro-admin init-db“.").arg(database.path));
  EnsureRegisterUser(params, user.login, user.fullName);
  config.databases.insert(QString::fromLatin1(kRegisterDatabaseId), database);
  config.users << LoginUser{user.login, user.fullName, user.rights, HashPassword(user.password)};
  WriteLoginConfig(configPath, config);
}

RegisterUserRemoval RemoveLoginUser(const QString& configPath, const QString& login) {
  LoginConfig config = ReadLoginConfig(configPath);
  ExistingUser(config, login);
  LoginDatabase database;
  config.FindDatabase(QString::fromLatin1(kRegisterDatabaseId), &database);
  const ConnectionParams params = ParamsOf(database);
  // Without its register there is no row to keep in step.
  const RegisterUserRemoval removal =
      RegisterExists(params) ? RemoveRegisterUser(params, login) : RegisterUserRemoval::NotThere;
  config.RemoveUser(login);
  WriteLoginConfig(configPath, config);
  return removal;
}

void SetLoginPassword(const QString& configPath, const QString& login, const QString& newPassword) {
  LoginConfig config = ReadLoginConfig(configPath);
  LoginUser& user = ExistingUser(config, login);
  Require(NewPasswordProblem(newPassword));
  user.passwordHash = HashPassword(newPassword);
  WriteLoginConfig(configPath, config);
}

PasswordChange ChangeLoginPassword(const QString& configPath, const QString& login, const QString& oldPassword,
                                   const QString& newPassword) {
  LoginConfig config = ReadLoginConfig(configPath);
  // On a server the password is the clerk's account's, changed by the clerk on the server.
  if (const QString serverPath = ServerRegisterPath(config); !serverPath.isEmpty())
    return ChangeOwnServerPassword(serverPath, login, oldPassword, newPassword) ? PasswordChange::Changed
                                                                                 : PasswordChange::WrongPassword;
  LoginUser* user = config.FindUser(login);
  if (!user) return PasswordChange::UnknownUser;
  if (!VerifyPassword(user->passwordHash, oldPassword)) return PasswordChange::WrongPassword;
  Require(NewPasswordProblem(newPassword));
  user->passwordHash = HashPassword(newPassword);
  WriteLoginConfig(configPath, config);
  return PasswordChange::Changed;
}
