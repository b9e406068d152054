#include "data/sql_quote.h"

#include <QRegularExpression>

#include "core/date_time.h"

QString QuoteSqlText(const QString& text) {
  QString doubled = text;
  doubled.replace(u'\'', QStringLiteral("''"));
  return u'\'' + doubled + u'\'';
}

QString QuoteSqlDate(const QDate& date) { return u'\'' + FormatShortDate(date) + u'\''; }

std::optional<QString> SqlIntegerLiteral(const QString& text) {
  static const QRegularExpression integer(QStringLiteral(R"(^[+-]?[0-9]{1,18}$)"));
  const QString t = text.trimmed();
  if (!integer.match(t).hasMatch()) return std::nullopt;
  return QString::number(t.toLongLong());
}

std::optional<QString> SqlDecimalLiteral(const QString& text) {
  static const QRegularExpression decimal(QStringLiteral(R"(^[+-]?([0-9]{1,15}(\.[0-9]*)?|\.[0-9]+)$)"));
  const QString t = text.trimmed();
  if (!decimal.match(t).hasMatch()) return std::nullopt;
  return t;
}
