// The reference login library's five entry points. It signs users in against its own
// configuration file (login_config.h) with argon2id password hashes, creates the register and
// the first administrator on the very first start, and fills the login record for the program.
// A register on a server is opened with the clerk's own account of the server: the server
// checks the name and password and the rights group is the role the account holds there.
// Scripted runs and tests: TESARO_LOGIN_USER and TESARO_LOGIN_PASSWORD replace the dialog and
// are checked against the hash like typed ones and wait after wrong passwords like typed ones.
// TESARO_LOGIN_CONFIG names the configuration file.
#include <QApplication>
#include <QMessageBox>
#include <QWidget>
#include <QtDebug>
#include <cstring>

#include "change_password_dialog.h"
#include "data/firebird/cp1251.h"
#include "first_start_dialog.h"
#include "login/vlm_login_abi.h"
#include "login_accounts.h"
#include "login_dialog.h"
#include "login_record_writer.h"

namespace {
// What the last accepted sign-in reported, for the two list calls that follow it.
struct LastSignIn {
  QList<LoginUser> users;
  QString rights;
};

LastSignIn& Last() {
  static LastSignIn last;
  return last;
}

QString Text(const char* text) { return text ? DecodeCp1251(text, qsizetype(std::strlen(text))) : QString(); }

// Dialogs need a widget application; a host without any Qt application gets one, a console
// Qt program cannot show dialogs.
bool WidgetsAvailable() {
  if (qobject_cast<QApplication*>(QCoreApplication::instance())) return true;
  if (QCoreApplication::instance()) return false;
  static int argc = 1;
  static char name[] = "VlmLogin";
  static char* argv[] = {name, nullptr};
  static QApplication* application = new QApplication(argc, argv);
  return application != nullptr;
}

QWidget* WindowOf(uintptr_t window) { return window ? QWidget::find(static_cast<WId>(window)) : nullptr; }

// The first start: the first administrator, and the register when it does not exist yet.
std::optional<LoginUser> RunFirstStart(const QString& configPath, const LoginDatabase& database, QWidget* parent,
                                       LoginConfig* config) {
  FirstStartDialog dialog(
      database.path, RegisterExists(ParamsOf(database)),
      [&](const FirstAdministrator& admin) -> QString {
        try {
          *config = CreateFirstAdministrator(configPath, admin);
          return {};
        } catch (const std::exception& error) {
          return LoginErrorText(error);
        }
      },
      parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const LoginUser* admin = config->FindUser(dialog.Administrator().login);
  return admin ? std::optional<LoginUser>(*admin) : std::nullopt;
}

std::optional<LoginUser> Interactive(const QString& configPath, const QString& appCode, LoginConfig* config,
                                     LoginDatabase* database, const QString& databaseId, QWidget* parent) {
  // A register on a server is made by the administrator, who gives each clerk an account there.
  if (config->users.isEmpty() && !IsServerPath(database->path)) {
    std::optional<LoginUser> admin = RunFirstStart(configPath, *database, parent, config);
    if (admin) config->FindDatabase(databaseId, database);
    return admin;
  }
  LoginDialog dialog(*config, SignInDelays::FileBeside(configPath), appCode, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.AcceptedUser();
}

VlmBool Login(uintptr_t window, const char* appCode, const char* databaseId, unsigned char* record) {
  Last() = {};
  const bool scripted = qEnvironmentVariableIsSet("TESARO_LOGIN_USER");
  QWidget* parent = nullptr;
  try {
    const QString configPath = LoginConfigPath();
    const QString id = Text(databaseId);
    LoginConfig config = ReadLoginConfig(configPath);
    LoginDatabase database;
    if (!config.FindDatabase(id, &database)) {
      qWarning().noquote() << "VlmLogin: няма настроена база данни" << id;
      return 0;
    }
    std::optional<LoginUser> user;
    if (scripted) {
      const QString login = qEnvironmentVariable("TESARO_LOGIN_USER");
      SignInAttempts attempts(config, SignInDelays::FileBeside(configPath));
      if (attempts.Try(login, qEnvironmentVariable("TESARO_LOGIN_PASSWORD")) == SignInAttempts::Outcome::Waiting)
        qWarning().noquote() << "VlmLogin: входът е отказан:" << TooManyAttemptsText(attempts.SecondsToWait(login));
      else if (!attempts.AcceptedUser())
        qWarning().noquote() << "VlmLogin: входът е отказан: грешно потребителско име или парола.";
      user = attempts.AcceptedUser();
    } else {
      if (!WidgetsAvailable()) return 0;
      parent = WindowOf(window);
      user = Interactive(configPath, Text(appCode), &config, &database, id, parent);
    }
    if (!user) return 0;
    QList<LoginUser> users = config.users;
    if (IsServerPath(database.path)) {
      // The program opens the register with the clerk's own account, checked by the server.
      database.user = user->login;
      database.password = user->serverPassword;
      users = {*user};
    }
    FillLoginRecord(record, database, *user, int(users.size()), configPath);
    Last() = {users, user->rights};
    return 1;
  } catch (const std::exception& error) {
    if (scripted)
      qWarning().noquote() << "VlmLogin:" << LoginErrorText(error);
    else
      QMessageBox::critical(parent, QStringLiteral("Вход"), LoginErrorText(error));
  } catch (...) {
  }
  return 0;
}
}  // namespace

extern "C" {

VLM_LOGIN_EXPORT void VLM_LOGIN_CALL SetClientNames(const char*, const char*) {
  // The reference library does not tell clients apart.
}

VLM_LOGIN_EXPORT VlmBool VLM_LOGIN_CALL ExternalLogin(uintptr_t window, const char* appCode, const char* databaseId,
                                                      int32_t, int32_t, unsigned char* record) {
  if (!record) return 0;
  return Login(window, appCode, databaseId, record);
}

VLM_LOGIN_EXPORT void VLM_LOGIN_CALL GetUserRights(unsigned char** rightsList) {
  if (!rightsList || !*rightsList || Last().rights.isEmpty()) return;
  FillRightsList(*rightsList, Last().rights);
}

VLM_LOGIN_EXPORT void VLM_LOGIN_CALL GetAppUsersList(unsigned char** usersList) {
  if (!usersList || !*usersList) return;
  FillUsersList(*usersList, Last().users);
}

VLM_LOGIN_EXPORT VlmBool VLM_LOGIN_CALL ExternalChangePWD(uintptr_t window, const char*, const char* text251,
                                                          const char* login, const char* title) {
  try {
    if (!login || !WidgetsAvailable()) return 0;
    // The record's text at offset 251 names the configuration the user signed in with.
    QString configPath = Text(text251);
    if (configPath.isEmpty()) configPath = LoginConfigPath();
    const QString user = Text(login);
    ChangePasswordDialog dialog(
        Text(title), user,
        [&](const QString& oldPassword, const QString& newPassword) -> QString {
          try {
            switch (ChangeLoginPassword(configPath, user, oldPassword, newPassword)) {
              case PasswordChange::Changed:
                return {};
              case PasswordChange::WrongPassword:
                return QStringLiteral("Старата парола е грешна.");
              case PasswordChange::UnknownUser:
                return QStringLiteral("Потребителят „%1“ не е намерен в настройките за вход.").arg(user);
            }
          } catch (const std::exception& error) {
            return LoginErrorText(error);
          }
          return {};
        },
        WindowOf(window));
    return dialog.exec() == QDialog::Accepted ? 1 : 0;
  } catch (...) {
    return 0;
  }
}

}  // extern "C"
