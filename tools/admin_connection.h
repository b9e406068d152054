// Connection settings of tesaro-admin's commands: a plain path opens the file embedded,
// "host:/path" goes to a server; the user and password come from the options, else from
// ISC_USER / ISC_PASSWORD, else SYSDBA with an empty password.
#pragma once

#include <QTextStream>

#include "admin_args.h"
#include "data/firebird/database.h"

ConnectionParams AdminConnection(const QString& path, const ParsedArgs& args);

// The options of every command that opens a register: --user (not empty) and --password.
std::vector<OptionRule> CredentialRules();
// `rules` followed by the credential options.
std::vector<OptionRule> WithCredentials(std::vector<OptionRule> rules);

// True (after saying so on `err`) when `params` names a local register file that is not there;
// a server's file is the server's to check.
bool RegisterFileMissing(const ConnectionParams& params, QTextStream& err);
