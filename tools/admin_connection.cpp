// Building the connection settings of a command.
#include "admin_connection.h"

#include <QFileInfo>
#include <QProcessEnvironment>

bool IsServerPath(const QString& path) {
  // A drive letter ("C:\...") or an absolute path is local; "host:..." is a server.
  const qsizetype colon = path.indexOf(u':');
  return colon > 1 && !path.startsWith(u'/');
}

ConnectionParams AdminConnection(const QString& path, const ParsedArgs& args) {
  const QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  ConnectionParams params;
  // The embedded engine would resolve a relative name against its own idea of the folder.
  params.path = IsServerPath(path) ? path : QFileInfo(path).absoluteFilePath();
  QString envUser = env.value(QStringLiteral("ISC_USER"));
  if (envUser.isEmpty()) envUser = QStringLiteral("SYSDBA");
  params.user = args.Option(QStringLiteral("user"), envUser);
  params.password = args.Option(QStringLiteral("password"), env.value(QStringLiteral("ISC_PASSWORD")));
  return params;
}
