// Running the built tesaro-admin binary from a test and collecting what it printed.
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

struct AdminRun {
  int exitCode = -1;
  QString out;
  QString err;
};

inline AdminRun RunAdmin(const QStringList& args, const QByteArray& input = QByteArray()) {
  QProcess process;
  process.start(QStringLiteral(TESARO_ADMIN_BINARY), args);
  AdminRun run;
  if (!process.waitForStarted(30000)) {
    run.err = QStringLiteral("tesaro-admin did not start: ") + process.errorString();
    return run;
  }
  if (!input.isEmpty()) process.write(input);
  process.closeWriteChannel();  // stdin is a pipe, never a terminal
  process.waitForFinished(300000);
  run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  run.out = QString::fromUtf8(process.readAllStandardOutput());
  run.err = QString::fromUtf8(process.readAllStandardError());
  return run;
}
