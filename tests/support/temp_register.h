// Test fixture: a fresh register made from the project's own schema and code lists in a
// temporary folder, removed afterwards; embedded, or on a Firebird server when one is given.
#pragma once

#include <QTemporaryDir>
#include <memory>
#include <optional>

#include "data/data_module.h"
#include "data/firebird/database.h"

// A Firebird server the fixture creates its register on, and the credentials for it.
struct TestServerLogin {
  QString host;
  QString user;
  QString password;
};

// The loopback server scripts/test.sh starts for the tests of several workstations
// (TESARO_LOOPBACK_SERVER, _USER, _PASSWORD); nothing when none was started.
std::optional<TestServerLogin> LoopbackServer();
// Why there is no loopback server, for a test that skips.
QString LoopbackServerMissingReason();

class TempRegister {
 public:
  // Embedded, unless TESARO_TEST_SERVER names a host (credentials ISC_USER, ISC_PASSWORD).
  explicit TempRegister(const QString& municipality = QStringLiteral("Община Тестова"));
  TempRegister(const QString& municipality, const std::optional<TestServerLogin>& server);
  ~TempRegister();

  ConnectionParams Params() const;
  // A data module connected to the register (created on first use).
  TDataModule1& Data();

 private:
  QTemporaryDir dir_;
  std::optional<TestServerLogin> server_;
  QString path_;
  std::unique_ptr<TDataModule1> data_;
};
