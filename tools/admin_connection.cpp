// Building the connection settings of a command.
#include "admin_connection.h"

#include <QFileInfo>
#include <QProcessEnvironment>

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

std::vector<OptionRule> CredentialRules() {
  return {{QStringLiteral("user"), OptionKind::Name}, {QStringLiteral("password"), OptionKind::Secret}};
}

std::vector<OptionRule> WithCredentials(std::vector<OptionRule> rules) {
  for (OptionRule& rule : CredentialRules()) rules.push_back(std::move(rule));
  return rules;
}

bool RegisterFileMissing(const ConnectionParams& params, QTextStream& err) {
  if (IsServerPath(params.path) || QFileInfo(params.path).isFile()) return false;
  err << "Файлът " << params.path << " не съществува; първо създайте регистъра с init-db.\n";
  return true;
}
