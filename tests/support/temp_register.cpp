#include "temp_register.h"

#include <QFile>

#include "data/schema/register_setup.h"

namespace {
// TESARO_TEST_SERVER=host runs the fixture's register on a Firebird server instead of
// embedded, with the credentials of ISC_USER and ISC_PASSWORD; the server's own user must
// be able to write the temporary folder.
QString TestServer() { return qEnvironmentVariable("TESARO_TEST_SERVER"); }
}  // namespace

TempRegister::TempRegister(const QString& municipality) : path_(dir_.filePath(QStringLiteral("register.fdb"))) {
  if (!TestServer().isEmpty()) {
    QFile::setPermissions(dir_.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                           QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther);
    path_ = TestServer() + u':' + path_;
  }
  Database database;
  CreateRegister(database, Params(), municipality);
  database.Detach();
}

TempRegister::~TempRegister() { data_.reset(); }

ConnectionParams TempRegister::Params() const {
  ConnectionParams params;
  params.path = path_;
  if (!TestServer().isEmpty()) {
    params.user = qEnvironmentVariable("ISC_USER", QStringLiteral("SYSDBA"));
    params.password = qEnvironmentVariable("ISC_PASSWORD");
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
