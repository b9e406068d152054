// Reading and writing the login configuration as an INI file, and the checks of its values.
#include "login_config.h"

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include "core/settings_output.h"
#include "data/firebird/cp1251.h"
#include "data/firebird/database.h"

namespace {
constexpr QFileDevice::Permissions kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

QString Location(QStandardPaths::StandardLocation location, const QString& fallback) {
  const QString base = QStandardPaths::writableLocation(location);
  return base.isEmpty() ? fallback : base;
}

// The folder of the configuration, private when the program makes it.
void PrepareFolder(const QString& path) {
  const QString folder = QFileInfo(path).absolutePath();
  if (QDir(folder).exists()) return;
  if (!QDir().mkpath(folder)) throw LoginError(QStringLiteral("Папката %1 не може да бъде създадена.").arg(folder));
  QFile::setPermissions(folder, kOwnerOnly | QFileDevice::ExeOwner);
}

// A configuration that others may read or change would hand them the database password or
// let them make themselves administrators: it is refused until its owner closes it.
void RefuseSharedConfig(const QString& path) {
  struct stat status {};
  if (::stat(QFile::encodeName(path).constData(), &status) != 0) return;  // reading it says why
  if ((status.st_mode & (S_IRGRP | S_IWGRP | S_IROTH | S_IWOTH)) == 0) return;
  const QString native = QDir::toNativeSeparators(path);
  throw LoginError(QStringLiteral("Файлът с настройки за вход %1 може да се чете или променя и от други потребители, "
                                  "а в него са паролите за вход. Ограничете достъпа до него с командата "
                                  "„chmod 600 %1“ и опитайте отново.")
                       .arg(native));
}

QString Cp1251Problem(const QString& text, const QString& what) {
  return FitsCp1251(text) ? QString() : QStringLiteral("%1 съдържа знаци извън кирилицата и латиницата.").arg(what);
}
}  // namespace

LoginError::LoginError(const QString& message) : std::runtime_error(message.toStdString()), message_(message) {}

bool LoginConfig::FindDatabase(const QString& id, LoginDatabase* database) const {
  if (databases.contains(id)) {
    *database = databases.value(id);
    return true;
  }
  if (id != QLatin1String(kRegisterDatabaseId)) return false;
  *database = DefaultLoginDatabase();
  return true;
}

const LoginUser* LoginConfig::FindUser(const QString& login) const {
  for (const LoginUser& user : users)
    if (user.login == login) return &user;
  return nullptr;
}

LoginUser* LoginConfig::FindUser(const QString& login) {
  for (LoginUser& user : users)
    if (user.login == login) return &user;
  return nullptr;
}

bool LoginConfig::RemoveUser(const QString& login) {
  return users.removeIf([&](const LoginUser& user) { return user.login == login; }) > 0;
}

QString DefaultLoginConfigPath() {
  return Location(QStandardPaths::GenericConfigLocation, QDir::homePath() + QStringLiteral("/.config")) +
         QStringLiteral("/Tesaro/login.ini");
}

QString LoginConfigPath() {
  const QString named = qEnvironmentVariable("TESARO_LOGIN_CONFIG");
  return named.isEmpty() ? DefaultLoginConfigPath() : named;
}

QString DefaultLoginRegisterPath() {
  return Location(QStandardPaths::GenericDataLocation, QDir::homePath()) + QStringLiteral("/Tesaro/register.fdb");
}

LoginDatabase DefaultLoginDatabase() {
  LoginDatabase database;
  database.path = DefaultLoginRegisterPath();
  return database;
}

LoginConfig ReadLoginConfig(const QString& path) {
  LoginConfig config;
  if (!QFileInfo::exists(path)) return config;
  RefuseSharedConfig(path);
  if (!QFileInfo(path).isReadable())
    throw LoginError(QStringLiteral("Файлът с настройки за вход %1 не може да бъде прочетен.").arg(path));
  QSettings settings(path, QSettings::IniFormat);
  if (settings.status() != QSettings::NoError)
    throw LoginError(QStringLiteral("Файлът с настройки за вход %1 е повреден.").arg(path));

  settings.beginGroup(QStringLiteral("Databases"));
  for (const QString& id : settings.childGroups()) {
    settings.beginGroup(id);
    LoginDatabase database;
    database.path = settings.value(QStringLiteral("path")).toString();
    database.user = settings.value(QStringLiteral("user"), database.user).toString();
    database.password = settings.value(QStringLiteral("password")).toString();
    settings.endGroup();
    // A server's register is opened with the clerk's own account only, whatever the file says.
    if (IsServerPath(database.path)) database.user = database.password = QString();
    config.databases.insert(id, database);
  }
  settings.endGroup();

  const int count = settings.beginReadArray(QStringLiteral("Users"));
  if (count > kMaxLoginUsers)
    throw LoginError(QStringLiteral("Файлът с настройки за вход %1 е повреден: посочва %2 потребители, а може най-много %3.")
                         .arg(path)
                         .arg(count)
                         .arg(kMaxLoginUsers));
  for (int i = 0; i < count; ++i) {
    settings.setArrayIndex(i);
    LoginUser user;
    user.login = settings.value(QStringLiteral("login")).toString();
    user.fullName = settings.value(QStringLiteral("full_name")).toString();
    user.rights = settings.value(QStringLiteral("rights")).toString();
    user.passwordHash = settings.value(QStringLiteral("password_hash")).toString();
    if (!user.login.isEmpty()) config.users << user;
  }
  settings.endArray();
  return config;
}

void WriteLoginConfig(const QString& path, const LoginConfig& config) {
  PrepareFolder(path);
  try {
    // Written whole beside the old file and readable by the owner only from the start.
    ChangeIniSettings(
        path,
        [&](QSettings& settings) {
          settings.clear();
          settings.beginGroup(QStringLiteral("Databases"));
          for (auto it = config.databases.cbegin(); it != config.databases.cend(); ++it) {
            settings.beginGroup(it.key());
            settings.setValue(QStringLiteral("path"), it->path);
            if (!IsServerPath(it->path)) {
              settings.setValue(QStringLiteral("user"), it->user);
              settings.setValue(QStringLiteral("password"), it->password);
            }
            settings.endGroup();
          }
          settings.endGroup();
          settings.beginWriteArray(QStringLiteral("Users"), int(config.users.size()));
          for (int i = 0; i < config.users.size(); ++i) {
            const LoginUser& user = config.users[i];
            settings.setArrayIndex(i);
            settings.setValue(QStringLiteral("login"), user.login);
            settings.setValue(QStringLiteral("full_name"), user.fullName);
            settings.setValue(QStringLiteral("rights"), user.rights);
            settings.setValue(QStringLiteral("password_hash"), user.passwordHash);
          }
          settings.endArray();
        },
        OutputPermissions::OwnerOnly);
  } catch (const FileWriteError& error) {
    throw LoginError(
        QStringLiteral("Файлът с настройки за вход %1 не може да бъде записан: %2.").arg(path, error.Reason()));
  }
}

QString LoginNameProblem(const QString& login) {
  if (login.isEmpty()) return QStringLiteral("Потребителското име е празно.");
  if (login.size() > kMaxLoginLength)
    return QStringLiteral("Потребителското име е по-дълго от %1 знака.").arg(kMaxLoginLength);
  if (login.trimmed() != login) return QStringLiteral("Потребителското име започва или завършва с интервал.");
  for (const QChar ch : login)
    if (ch.category() == QChar::Other_Control) return QStringLiteral("Потребителското име съдържа управляващ знак.");
  return Cp1251Problem(login, QStringLiteral("Потребителското име"));
}

QString FullNameProblem(const QString& fullName) {
  if (fullName.size() > kMaxFullNameLength)
    return QStringLiteral("Пълното име е по-дълго от %1 знака.").arg(kMaxFullNameLength);
  for (const QChar ch : fullName)
    if (ch.category() == QChar::Other_Control) return QStringLiteral("Пълното име съдържа управляващ знак.");
  return Cp1251Problem(fullName, QStringLiteral("Пълното име"));
}

QStringList RightsGroups() {
  return {QStringLiteral("USER1"), QStringLiteral("USER2"), QStringLiteral("USER3"), QStringLiteral("USER4"),
          QStringLiteral("USER6")};
}

bool IsKnownRightsGroup(const QString& rights) { return RightsGroups().contains(rights); }

QString RightsGroupProblem(const QString& rights) {
  if (IsKnownRightsGroup(rights)) return {};
  // Any other group would give level 0, which passes nearly every rights test.
  return QStringLiteral("Непозната група права „%1“; допустими са USER1, USER2, USER3, USER4 и USER6.").arg(rights);
}

QString NewPasswordProblem(const QString& password) {
  if (password.size() < kMinPasswordLength)
    return QStringLiteral("Паролата трябва да е поне %1 знака.").arg(kMinPasswordLength);
  return {};
}
