// The one error type of the database layer: a Firebird status (or a value the database
// cannot hold) turned into an exception whose message is the server's own text.
#pragma once

#include <QString>

#include "core/app_error.h"

// Put before the server's text when another workstation holds the record a statement needs
// (a lock conflict, a lock wait that timed out, an update conflict).
extern const char* const kRecordBusyText;

class DbError : public AppError {
 public:
  // gdsCode is the first Firebird error code of the status (0 when not from the server).
  explicit DbError(const QString& message, long gdsCode = 0);

  long GdsCode() const { return gdsCode_; }

 private:
  long gdsCode_;
};
