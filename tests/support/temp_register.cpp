#include "temp_register.h"

#include <QFile>

#include "data/schema/register_setup.h"

namespace {
std::optional<TestServerLogin> ServerFromEnvironment() {
  const QString host = qEnvironmentVariable("TESARO_TEST_SERVER");
  if (host.isEmpty()) return std::nullopt;
  return TestServerLogin{host, qEnvironmentVariable("ISC_USER", QStringLiteral("SYSDBA")),
                         qEnvironmentVariable("ISC_PASSWORD")};
}
}  // namespace

std::optional<TestServerLogin> LoopbackServer() {
  const QString host = qEnvironmentVariable("TESARO_LOOPBACK_SERVER");
  if (host.isEmpty()) return std::nullopt;
  return TestServerLogin{host, qEnvironmentVariable("TESARO_LOOPBACK_USER", QStringLiteral("SYSDBA")),
                         qEnvironmentVariable("TESARO_LOOPBACK_PASSWORD")};
}

QString LoopbackServerMissingReason() {
  const QString reason = qEnvironmentVariable("TESARO_LOOPBACK_SKIP_REASON");
  if (!reason.isEmpty()) return QStringLiteral("no Firebird server on loopback: ") + reason;
  return QStringLiteral("no Firebird server on loopback: run the tests through scripts/test.sh, which starts "
                        "one, or set TESARO_LOOPBACK_SERVER, TESARO_LOOPBACK_USER and TESARO_LOOPBACK_PASSWORD");
}

TempRegister::TempRegister(const QString& municipality) : TempRegister(municipality, ServerFromEnvironment()) {}

TempRegister::TempRegister(const QString& municipality, const std::optional<TestServerLogin>& server)
    : server_(server), path_(dir_.filePath(QStringLiteral("register.fdb"))) {
  if (server_) {
    // The server writes the file under its own user.
    QFile::setPermissions(dir_.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                           QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther);
    path_ = server_->host + u':' + path_;
  }
  Database database;
  CreateRegister(database, Params(), municipality);
  database.Detach();
}

TempRegister::~TempRegister() { data_.reset(); }

ConnectionParams TempRegister::Params() const {
  ConnectionParams params;
  params.path = path_;
  if (server_) {
    params.user = server_->user;
    params.password = server_->password;
  }
  return params;
}

TDataModule1& TempRegister::Data() {
  if (!data_) {
    data_ = std::make_unique<TDataModule1>();
    data_->Connect(Params());
  }
  return *data_;
}
