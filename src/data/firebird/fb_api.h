// Internal access to Firebird's OO API: the master interface, the status wrapper and the
// conversion of a failed call into DbError. Only the wrapper's own files include this.
#pragma once

#include <firebird/Interface.h>

#include <QString>
#include <utility>

#include "data/firebird/db_error.h"

namespace fbapi {

Firebird::IMaster* Master();
Firebird::IUtil* Util();
Firebird::IProvider* Provider();

// Text of a failed status, as the server formats it.
QString StatusText(Firebird::IStatus* status);
[[noreturn]] void Raise(const Firebird::FbException& error);

// One status object per thread, reused by every call: the client API would otherwise
// allocate one for each fetched row.
Firebird::IStatus* ThreadStatus();

// Runs a call on a throwing status wrapper and turns a Firebird failure into DbError.
template <typename Fn>
auto Call(Fn&& fn) {
  Firebird::IStatus* raw = ThreadStatus();
  raw->init();
  Firebird::ThrowStatusWrapper status(raw);
  try {
    return fn(&status);
  } catch (const Firebird::FbException& error) {
    Raise(error);
  }
}

// Ends an interface's life by a closing call (close, free, rollback) that must not throw,
// as in a destructor; when the call fails, the interface is only released.
template <typename Interface, typename Fn>
void CloseQuietly(Interface* handle, Fn&& close) {
  Firebird::IStatus* raw = ThreadStatus();
  raw->init();
  Firebird::ThrowStatusWrapper status(raw);
  try {
    close(&status);
  } catch (const Firebird::FbException&) {
    handle->release();
  }
}

// Sets FIREBIRD_LOCK to a private folder of the user (lock_folder.h), unless it is set or we
// run as root.
void PrepareEnvironment();

// Type codes of the client API (ibase.h values), so callers need not include it.
enum SqlType : unsigned {
  kText = 452,
  kVarying = 448,
  kShort = 500,
  kLong = 496,
  kFloat = 482,
  kDouble = 480,
  kDFloat = 530,
  kTimestamp = 510,
  kBlob = 520,
  kTypeTime = 560,
  kTypeDate = 570,
  kInt64 = 580,
  kBoolean = 32764,
  kNull = 32766,
};
inline constexpr unsigned kCharsetWin1251 = 52;

}  // namespace fbapi
