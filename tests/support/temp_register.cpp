#include "temp_register.h"

#include "data/schema/register_setup.h"

TempRegister::TempRegister(const QString& municipality) : path_(dir_.filePath(QStringLiteral("register.fdb"))) {
  Database database;
  CreateRegister(database, Params(), municipality);
  database.Detach();
}

TempRegister::~TempRegister() { data_.reset(); }

ConnectionParams TempRegister::Params() const {
  ConnectionParams params;
  params.path = path_;
  return params;
}

TDataModule1& TempRegister::Data() {
  if (!data_) {
    data_ = std::make_unique<TDataModule1>();
    data_->Connect(Params());
  }
  return *data_;
}
