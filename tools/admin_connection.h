// Connection settings of tesaro-admin's commands: a plain path opens the file embedded,
// "host:/path" goes to a server; the user and password come from the options, else from
// ISC_USER / ISC_PASSWORD, else SYSDBA with an empty password.
#pragma once

#include "admin_args.h"
#include "data/firebird/database.h"

ConnectionParams AdminConnection(const QString& path, const ParsedArgs& args);

