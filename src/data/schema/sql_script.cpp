#include "data/schema/sql_script.h"

#include <QRegularExpression>

QStringList SplitSqlScript(const QString& script) {
  QStringList statements;
  QString terminator = QStringLiteral(";");
  QString current;
  static const QRegularExpression setTerm(QStringLiteral(R"(^\s*SET\s+TERM\s+(\S+)\s*$)"),
                                          QRegularExpression::CaseInsensitiveOption);

  auto flush = [&](const QString& text) {
    const QString statement = text.trimmed();
    if (statement.isEmpty()) return;
    const auto match = setTerm.match(statement);
    if (match.hasMatch()) {
      terminator = match.captured(1);
      return;
    }
    statements << statement;
  };

  bool inQuote = false;
  for (qsizetype i = 0; i < script.size(); ++i) {
    const QChar c = script.at(i);
    if (!inQuote && c == u'/' && i + 1 < script.size() && script.at(i + 1) == u'*') {
      const qsizetype end = script.indexOf(QStringLiteral("*/"), i + 2);
      i = end < 0 ? script.size() : end + 1;
      current += u' ';
      continue;
    }
    if (!inQuote && c == u'-' && i + 1 < script.size() && script.at(i + 1) == u'-') {
      const qsizetype end = script.indexOf(u'\n', i);
      i = end < 0 ? script.size() : end - 1;
      continue;
    }
    if (c == u'\'') inQuote = !inQuote;
    if (!inQuote && script.mid(i, terminator.size()) == terminator) {
      // "SET TERM ^ ;" itself ends with the old terminator, so it arrives as "SET TERM ^".
      flush(current);
      current.clear();
      i += terminator.size() - 1;
      continue;
    }
    current += c;
  }
  flush(current);
  return statements;
}
