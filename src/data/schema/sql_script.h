// Splits an SQL script into statements: ";" ends a statement, "SET TERM x ;" changes the
// terminator for trigger bodies, comments (/* */ and --) outside literals are dropped.
#pragma once

#include <QString>
#include <QStringList>

QStringList SplitSqlScript(const QString& script);
