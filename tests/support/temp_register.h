// Test fixture: a fresh embedded register made from the project's own schema and code
// lists in a temporary folder, removed afterwards.
#pragma once

#include <QTemporaryDir>
#include <memory>

#include "data/data_module.h"
#include "data/firebird/database.h"

class TempRegister {
 public:
  explicit TempRegister(const QString& municipality = QStringLiteral("Община Тестова"));
  ~TempRegister();

  ConnectionParams Params() const;
  // A data module connected to the register (created on first use).
  TDataModule1& Data();

 private:
  QTemporaryDir dir_;
  QString path_;
  std::unique_ptr<TDataModule1> data_;
};
