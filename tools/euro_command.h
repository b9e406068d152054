// Converting a register's amounts from leva to euro from the command line.
#pragma once

#include <QStringList>
#include <QTextStream>

class TDataModule1;

// euro DB [--dry-run]: converts the register's amounts in leva to euro once.
int RunEuro(const QStringList& args, QTextStream& out, QTextStream& err);

// Converts the amounts of the connected register and reports on `out` (progress on `err`);
// adopt --euro calls it too. A failure is an AppError and leaves the amounts as they were.
void ConvertRegisterAmounts(TDataModule1& data, bool dryRun, QTextStream& out, QTextStream& err);

// The name the history records of tesaro-admin's own changes carry.
inline constexpr const char* kAdminHistoryUser = "tesaro-admin";
