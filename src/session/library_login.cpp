// Loading the login library and calling its entry points in the order the sign-in requires.
#include "session/library_login.h"

#include <QFileInfo>
#include <QLibrary>
#include <QtDebug>

#include "core/program_files.h"
#include "data/firebird/cp1251.h"
#include "session/login_record.h"

namespace {
// Unloads the library however the calls end, an exception included.
class LoadedLibrary {
 public:
  LoadedLibrary() = default;
  ~LoadedLibrary() {
    if (library_.isLoaded()) library_.unload();
  }
  LoadedLibrary(const LoadedLibrary&) = delete;
  LoadedLibrary& operator=(const LoadedLibrary&) = delete;

  // Tries the named path, else the program's own copy, else the standard search.
  bool Load() {
    const QString named = qEnvironmentVariable("TESARO_LOGIN_LIBRARY");
    if (!named.isEmpty()) return TryLoad(named);
    const QString local = ProgramFile(ProgramFileKind::Library, LoginLibraryFileName());
    // The program's own library is the one meant; never fall through to another copy.
    if (QFileInfo::exists(local)) return TryLoad(local);
    return TryLoad(QStringLiteral("VlmLogin"));
  }

  // The name the "Missing" error shows.
  QString MissingName() const {
    const QString named = qEnvironmentVariable("TESARO_LOGIN_LIBRARY");
    return named.isEmpty() ? LoginLibraryFileName() : named;
  }

  template <typename Fn>
  Fn Resolve(const char* name) {
    return reinterpret_cast<Fn>(library_.resolve(name));
  }

 private:
  bool TryLoad(const QString& fileName) {
    library_.setFileName(fileName);
    if (library_.load()) return true;
    // The user sees only "Missing ..."; the loader's reason helps whoever installs the program.
    qWarning().noquote() << "Login library not loaded:" << library_.errorString();
    return false;
  }

  QLibrary library_;
};

void CheckListSize(std::int32_t count) {
  if (count > kMaxLoginListElements)
    throw LoginLibraryError(
        QStringLiteral("Библиотеката за вход съобщи невъзможен брой елементи на списък: %1.").arg(count));
}
}  // namespace

LoginLibraryError::LoginLibraryError(const QString& message)
    : AppError(message, message.toLocal8Bit().toStdString()) {}

QString LoginLibraryFileName() {
#if defined(Q_OS_WIN)
  return QStringLiteral("VlmLogin.dll");
#elif defined(Q_OS_MACOS)
  return QStringLiteral("libVlmLogin.dylib");
#else
  return QStringLiteral("libVlmLogin.so");
#endif
}

bool LibraryLogin(const QString& appCode, const QString& databaseId, int flag1, int flag2, TLogInfoRec& record,
                  quintptr windowHandle) {
  LoadedLibrary library;
  if (!library.Load()) throw LoginLibraryError(QStringLiteral("Missing %1.").arg(library.MissingName()));

  const auto externalLogin = library.Resolve<VlmExternalLoginFn>("ExternalLogin");
  const auto getUserRights = library.Resolve<VlmGetUserRightsFn>("GetUserRights");
  const auto getAppUsersList = library.Resolve<VlmGetAppUsersListFn>("GetAppUsersList");
  const auto setClientNames = library.Resolve<VlmSetClientNamesFn>("SetClientNames");
  if (!externalLogin || !getUserRights || !getAppUsersList || !setClientNames) return false;

  // QByteArray keeps a terminating zero after its bytes, as the library expects.
  const QByteArray app = EncodeCp1251(appCode);
  const QByteArray database = EncodeCp1251(databaseId);
  record.SetUsersCount(-1);
  record.SetRightsCount(-1);
  setClientNames(nullptr, nullptr);
  const bool accepted =
      externalLogin(windowHandle, app.constData(), database.constData(), flag1, flag2, record.Data()) != 0;

  const std::int32_t rightsCount = record.RightsCount();
  if (rightsCount > 0) {
    CheckListSize(rightsCount);
    record.ResizeRightsList(rightsCount);
    unsigned char* rights = record.RightsListData();
    getUserRights(&rights);
  }
  const std::int32_t usersCount = record.UsersCount();
  if (usersCount > 0) {
    CheckListSize(usersCount);
    record.ResizeUsersList(usersCount);
    unsigned char* users = record.UsersListData();
    getAppUsersList(&users);
  }
  return accepted;
}

void LibraryChangePassword(const QString& appCode, const QString& text, const QString& login, const QString& title,
                           quintptr windowHandle) {
  LoadedLibrary library;
  if (!library.Load()) return;
  const auto changePassword = library.Resolve<VlmExternalChangePWDFn>("ExternalChangePWD");
  if (!changePassword) return;
  const QByteArray app = EncodeCp1251(appCode);
  const QByteArray text251 = EncodeCp1251(text);
  const QByteArray userLogin = EncodeCp1251(login);
  const QByteArray caption = EncodeCp1251(title);
  changePassword(windowHandle, app.constData(), text251.constData(), userLogin.constData(), caption.constData());
}

bool ScriptedSignIn() { return qEnvironmentVariableIsSet("TESARO_LOGIN_USER"); }
