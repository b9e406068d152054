#include "server_accounts.h"

#include <QRegularExpression>

#include "data/firebird/statement.h"
#include "data/schema/register_roles.h"
#include "data/sql_quote.h"
#include "login_config.h"

namespace {
// The longest name the server keeps.
constexpr int kMaxServerLoginLength = 31;

// The name as an identifier in a statement. ServerLoginProblem lets through only names that
// need no quoting; checked again here, since the name is pasted into the statement.
QString Identifier(const QString& login) {
  if (const QString problem = ServerLoginProblem(login); !problem.isEmpty()) throw LoginError(problem);
  return ServerLoginName(login).toUpper();
}

void RevokeOtherGroups(Database& admin, const QString& login, const QString& keptRole) {
  const QString user = Identifier(login);
  for (const QString& role : RegisterRoles()) {
    if (role == keptRole) continue;
    Statement held(admin, QStringLiteral("select 1 from RDB$USER_PRIVILEGES where RDB$USER = ? and "
                                         "RDB$RELATION_NAME = ? and RDB$PRIVILEGE = 'M'"));
    held.BindAll({user, role});
    if (held.ScalarValue().isNull()) continue;
    admin.ExecuteImmediate(QStringLiteral("REVOKE %1 FROM %2").arg(role, user));
  }
}

// The server's answers to a wrong name or password and to an account it does not know.
bool IsLoginRefusal(const DbError& error) { return error.GdsCode() == kLoginRefusedCode; }

// Attaches `database` to the register as the clerk; false when the server refuses the name or
// password. Any other failure (a server out of reach) throws its DbError.
bool AttachedAs(Database& database, const QString& registerPath, const QString& login, const QString& password) {
  ConnectionParams params;
  params.path = registerPath;
  params.user = ServerLoginName(login);
  params.password = password;
  try {
    database.Attach(params);
    return true;
  } catch (const DbError& error) {
    if (IsLoginRefusal(error)) return false;
    throw;
  }
}
}  // namespace

QString ServerLoginProblem(const QString& login) {
  static const QRegularExpression kName(QStringLiteral("^[A-Za-z][A-Za-z0-9_]*$"));
  if (login.isEmpty()) return QStringLiteral("Потребителското име е празно.");
  if (login.size() > kMaxServerLoginLength)
    return QStringLiteral("Потребителското име на сървъра е по-дълго от %1 знака.").arg(kMaxServerLoginLength);
  if (!kName.match(login).hasMatch())
    return QStringLiteral("Потребителското име на сървъра започва с латинска буква и съдържа само латински букви, "
                          "цифри и „_“.");
  return {};
}

QString ServerPasswordProblem(const QString& password) {
  if (const QString problem = NewPasswordProblem(password); !problem.isEmpty()) return problem;
  for (const QChar ch : password)
    if (ch.unicode() < 0x21 || ch.unicode() > 0x7e)
      return QStringLiteral("Паролата за сървъра съдържа само латински букви, цифри и знаци, без кирилица и интервали.");
  return {};
}

QString ServerLoginName(const QString& login) { return login.toLower(); }

void CreateServerAccount(Database& admin, const QString& login, const QString& password, const QString& rights) {
  const QString role = RegisterRoleOf(rights);
  if (role.isEmpty()) throw LoginError(RightsGroupProblem(rights));
  if (const QString problem = ServerPasswordProblem(password); !problem.isEmpty()) throw LoginError(problem);
  admin.ExecuteImmediate(QStringLiteral("CREATE USER %1 PASSWORD %2 USING PLUGIN Srp")
                             .arg(Identifier(login), QuoteSqlText(password)));
  admin.DefaultTransaction().Commit();
  GrantRightsGroup(admin, login, rights);
}

void SetServerAccountPassword(Database& admin, const QString& login, const QString& password) {
  if (const QString problem = ServerPasswordProblem(password); !problem.isEmpty()) throw LoginError(problem);
  admin.ExecuteImmediate(
      QStringLiteral("ALTER USER %1 PASSWORD %2 USING PLUGIN Srp").arg(Identifier(login), QuoteSqlText(password)));
  admin.DefaultTransaction().Commit();
}

void GrantRightsGroup(Database& admin, const QString& login, const QString& rights) {
  const QString role = RegisterRoleOf(rights);
  if (role.isEmpty()) throw LoginError(RightsGroupProblem(rights));
  RevokeOtherGroups(admin, login, role);
  admin.ExecuteImmediate(QStringLiteral("GRANT %1 TO %2").arg(role, Identifier(login)));
  admin.DefaultTransaction().Commit();
}

void DropServerAccount(Database& admin, const QString& login) {
  RevokeOtherGroups(admin, login, QString());
  admin.DefaultTransaction().Commit();
  admin.ExecuteImmediate(QStringLiteral("DROP USER %1 USING PLUGIN Srp").arg(Identifier(login)));
  admin.DefaultTransaction().Commit();
}

bool ServerAccountExists(Database& admin, const QString& login) {
  Statement query(admin, QStringLiteral("select 1 from SEC$USERS where SEC$USER_NAME = ? and SEC$PLUGIN = 'Srp'"));
  query.Bind(0, Identifier(login));
  return !query.ScalarValue().isNull();
}

QList<ServerAccount> RegisterServerAccounts(Database& admin) {
  Statement query(admin, QStringLiteral("select trim(RDB$USER), trim(RDB$RELATION_NAME) from RDB$USER_PRIVILEGES "
                                        "where RDB$PRIVILEGE = 'M' and RDB$USER_TYPE = 8 order by 1, 2"));
  query.Open();
  QList<ServerAccount> accounts;
  while (query.Next()) {
    const QString rights = RightsGroupOfRole(query.Value(1).toString());
    if (rights.isEmpty()) continue;
    const QString login = ServerLoginName(query.Value(0).toString());
    // Several groups' roles (granted by hand): the highest counts, as at sign-in.
    if (!accounts.isEmpty() && accounts.last().login == login) continue;
    accounts << ServerAccount{login, rights};
  }
  query.Close();
  return accounts;
}

QString GrantedRightsGroup(Database& attached) {
  Statement query(attached, QStringLiteral("select trim(RDB$RELATION_NAME) from RDB$USER_PRIVILEGES "
                                           "where RDB$USER = CURRENT_USER and RDB$PRIVILEGE = 'M' and "
                                           "RDB$USER_TYPE = 8"));
  query.Open();
  QString best;
  while (query.Next()) {
    const QString rights = RightsGroupOfRole(query.Value(0).toString());
    // "USER1" is the highest group and sorts first.
    if (!rights.isEmpty() && (best.isEmpty() || rights < best)) best = rights;
  }
  query.Close();
  return best;
}

bool ChangeOwnServerPassword(const QString& registerPath, const QString& login, const QString& oldPassword,
                             const QString& newPassword) {
  if (!ServerLoginProblem(login).isEmpty()) return false;
  Database database;
  if (!AttachedAs(database, registerPath, login, oldPassword)) return false;
  if (const QString problem = ServerPasswordProblem(newPassword); !problem.isEmpty()) throw LoginError(problem);
  database.ExecuteImmediate(QStringLiteral("ALTER CURRENT USER SET PASSWORD %1").arg(QuoteSqlText(newPassword)));
  database.Detach();
  return true;
}

ServerSignIn CheckServerCredentials(const QString& registerPath, const QString& login, const QString& password,
                                    QString* rights) {
  rights->clear();
  if (!ServerLoginProblem(login).isEmpty() || password.isEmpty()) return ServerSignIn::Refused;
  Database database;
  if (!AttachedAs(database, registerPath, login, password)) return ServerSignIn::Refused;
  *rights = GrantedRightsGroup(database);
  database.Detach();
  return ServerSignIn::Accepted;
}
