#include "data/firebird/fb_api.h"

#include <QFile>
#include <QtDebug>
#include <cstdlib>
#include <unistd.h>

#include "data/firebird/cp1251.h"
#include "data/firebird/lock_folder.h"

using Firebird::IStatus;

namespace fbapi {

Firebird::IMaster* Master() {
  static Firebird::IMaster* master = [] {
    PrepareEnvironment();
    return Firebird::fb_get_master_interface();
  }();
  return master;
}

Firebird::IUtil* Util() {
  static Firebird::IUtil* util = Master()->getUtilInterface();
  return util;
}

Firebird::IProvider* Provider() {
  static Firebird::IProvider* provider = Master()->getDispatcher();
  return provider;
}

IStatus* ThreadStatus() {
  thread_local struct Holder {
    IStatus* status = Master()->getStatus();
    ~Holder() { status->dispose(); }
  } holder;
  return holder.status;
}

QString StatusText(Firebird::IStatus* status) {
  char buffer[4096];
  const unsigned length = Util()->formatStatus(buffer, sizeof buffer - 1, status);
  // The server's texts are ASCII, but the values it quotes come in the connection's code page.
  return DecodeCp1251(buffer, static_cast<qsizetype>(qMin<unsigned>(length, sizeof buffer - 1))).trimmed();
}

static_assert(kNoPermissionCode == isc_no_priv && kLoginRefusedCode == isc_login);

namespace {
// True when `code` is one of the error codes of a status vector (the first is often a general one).
bool HasErrorCode(const intptr_t* errors, long code) {
  if (!errors) return false;
  for (const intptr_t* item = errors; *item != isc_arg_end;) {
    const intptr_t kind = item[0];
    if (kind == isc_arg_gds && item[1] == code) return true;
    // Every argument is a kind and a value, except a counted string, which has two values.
    item += kind == isc_arg_cstring ? 3 : 2;
  }
  return false;
}
}  // namespace

void Raise(const Firebird::FbException& error) {
  Firebird::IStatus* status = error.getStatus();
  const intptr_t* errors = status->getErrors();
  const long code = (errors && errors[0] == 1) ? static_cast<long>(errors[1]) : 0;
  QString text = StatusText(status);
  // Another workstation holds the record: say so in the clerk's words before the server's.
  if (code == isc_lock_conflict || code == isc_deadlock || code == isc_lock_timeout || code == isc_update_conflict)
    text = QString::fromUtf8(kRecordBusyText) + u'\n' + text;
  // A server out of reach (down, wrong host or port, a firewall): the clerk's words first.
  if (code == isc_network_error) text = QString::fromUtf8(kServerUnreachableText) + u'\n' + text;
  // The server refused what the clerk's rights group may not do; the server's words name the
  // table for the administrator.
  if (HasErrorCode(errors, isc_no_priv)) {
    text = QString::fromUtf8(kNoPermissionText) + u'\n' + text;
    throw DbError(text, kNoPermissionCode);
  }
  throw DbError(text, code);
}

void PrepareEnvironment() {
  if (std::getenv("FIREBIRD_LOCK") || geteuid() == 0) return;
  // The engine keeps its lock files there; the default (/tmp/firebird) belongs to whoever
  // made it first, so a user gets a private folder of their own.
  const QString folder = PrivateLockFolder(LockFolderCandidates());
  if (folder.isEmpty()) {
    qWarning().noquote() << "Няма лична папка за заключващите файлове на Firebird; ще се използва папката по подразбиране.";
    return;
  }
  setenv("FIREBIRD_LOCK", QFile::encodeName(folder).constData(), 0);
}

}  // namespace fbapi
