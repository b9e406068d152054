// Opening and ending the work of a signed-in user: the connection the login record names, the
// user's lookup in the register, the settings file and the sign-in and sign-out history records.
// The main window calls these; the only window they open is a message through the message seam.
#pragma once

#include "data/firebird/database.h"

class QWidget;
class TDataModule1;
class TLogInfoRec;

// The connection named by the record: database path (offset 0), user (502) and password (553).
ConnectionParams ConnectionFromRecord(const TLogInfoRec& record);

// After the data module is connected and the register list is open: writes the last user into
// the settings file (a failure is shown and passed over), looks the record's user name up in
// table users and, when found, makes them the current user and records the sign-in, committed
// with the transaction retained so the record survives whatever follows. When the name is not
// in the register, shows the refusal and returns false without any history record; the caller
// then ends the program.
bool SignIn(TDataModule1& data, const TLogInfoRec& record, QWidget* parent);

// The exit command: records the sign-out and closes the connection, which commits it.
void SignOut(TDataModule1& data);

inline constexpr const char* kUnknownUserMessage =
    "На потребителя не са предоставени коректни права! Моля предупредете администратора!";
