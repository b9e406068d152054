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

void Raise(const Firebird::FbException& error) {
  Firebird::IStatus* status = error.getStatus();
  const intptr_t* errors = status->getErrors();
  const long code = (errors && errors[0] == 1) ? static_cast<long>(errors[1]) : 0;
  QString text = StatusText(status);
  // Another workstation holds the record: say so in the clerk's words before the server's.
  if (code == isc_lock_conflict || code == isc_deadlock || code == isc_lock_timeout || code == isc_update_conflict)
    text = QString::fromUtf8(kRecordBusyText) + u'\n' + text;
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
