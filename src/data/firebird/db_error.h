// The one error type of the database layer: a Firebird status (or a value the database
// cannot hold) turned into an exception whose message is the server's own text.
#pragma once

#include <QString>

#include "core/app_error.h"

// Put before the server's text when another workstation holds the record a statement needs
// (a lock conflict, a lock wait that timed out, an update conflict).
extern const char* const kRecordBusyText;

// Put before the server's text when the server refused a statement the signed-in clerk's rights
// group may not run (their role holds no such grant); nothing of the statement is written.
extern const char* const kNoPermissionText;

// Put before the client's text when the server of a register could not be reached at all.
extern const char* const kServerUnreachableText;

// The server's codes for refusals other layers tell apart (checked against the client's header).
inline constexpr long kNoPermissionCode = 335544352;  // no permission for an access (isc_no_priv)
inline constexpr long kLoginRefusedCode = 335544472;  // unknown user or wrong password (isc_login)

class DbError : public AppError {
 public:
  // gdsCode is the first Firebird error code of the status (0 when not from the server).
  explicit DbError(const QString& message, long gdsCode = 0);

  long GdsCode() const { return gdsCode_; }

 private:
  long gdsCode_;
};
