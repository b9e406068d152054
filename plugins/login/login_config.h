// The login library's configuration file: which database each identifier ("ZIRE") opens, with
// which credentials, and the application users with their rights group and password hash.
// Shared by the reference login library and tesaro-admin, so both read and write one format.
#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <stdexcept>

// A refusal or failure of the login configuration; the message is for the user (Bulgarian).
class LoginError : public std::runtime_error {
 public:
  explicit LoginError(const QString& message);
  const QString& Message() const { return message_; }

 private:
  QString message_;
};

// The identifier under which the program asks for its register.
inline constexpr const char* kRegisterDatabaseId = "ZIRE";

// On a server the clerks sign in with their own accounts: no user or password is kept for it.
struct LoginDatabase {
  QString path;  // a local file, or "host:/path" on a server
  QString user = QStringLiteral("SYSDBA");
  QString password;
};

struct LoginUser {
  QString login;         // also the name the register's users table knows
  QString fullName;      // shown only
  QString rights;        // "USER1" .. "USER4", "USER6"
  QString passwordHash;  // argon2id string from libsodium; the password itself is never kept
  // A register on a server: the password the clerk signed in with, which the server checked,
  // handed to the program in the login record as the connection's; never written to a file.
  QString serverPassword = {};
};

struct LoginConfig {
  QMap<QString, LoginDatabase> databases;
  QList<LoginUser> users;

  // The configured database, or for the register's identifier the default embedded one.
  // False when the identifier is neither configured nor the register's.
  bool FindDatabase(const QString& id, LoginDatabase* database) const;
  const LoginUser* FindUser(const QString& login) const;
  LoginUser* FindUser(const QString& login);
  bool RemoveUser(const QString& login);
};

// GenericConfigLocation + "/Tesaro/login.ini".
QString DefaultLoginConfigPath();
// TESARO_LOGIN_CONFIG when set, else the default.
QString LoginConfigPath();
// The embedded register in the user's data folder: GenericDataLocation + "/Tesaro/register.fdb".
QString DefaultLoginRegisterPath();
LoginDatabase DefaultLoginDatabase();

// Reads the file; a missing file is an empty configuration. Throws LoginError when the file
// cannot be read or is damaged, and when others than its owner may read or write it (the
// message names the file and the command that closes it).
LoginConfig ReadLoginConfig(const QString& path);
// Replaces the file, whole or not at all (core/output_file.h). The file is readable and
// writable by its owner only (0600) from the moment it exists, since it holds the database
// password. Throws LoginError with the reason on failure; the old file then stays.
void WriteLoginConfig(const QString& path, const LoginConfig& config);

// The most users a configuration may list: a hand-edited count beyond it is refused rather
// than read entry by entry for minutes.
inline constexpr int kMaxLoginUsers = 10000;

// Checks of what an administrator types; each gives a Bulgarian reason, or an empty text.
inline constexpr int kMaxLoginLength = 50;      // users.NAME
inline constexpr int kMaxFullNameLength = 100;  // users.FULL_NAME
inline constexpr int kMinPasswordLength = 8;
QString LoginNameProblem(const QString& login);
QString FullNameProblem(const QString& fullName);
QString RightsGroupProblem(const QString& rights);
QString NewPasswordProblem(const QString& password);
// The rights groups the program gives a level: USER1..USER4, USER6.
QStringList RightsGroups();
bool IsKnownRightsGroup(const QString& rights);
