#include "data/action_log.h"

#include "core/clock.h"
#include "core/date_time.h"
#include "core/text_helpers.h"
#include "data/data_module.h"
#include "data/firebird/db_error.h"
#include "data/firebird/statement.h"
#include "data/sql_quote.h"

QString ComposeLogActionSql(const QString& userName, int userId, const QString& kind, qint64 objectKey,
                            const QString& action, const QDateTime& clientNow) {
  return QStringLiteral("insert into inf_log(U_NAME,USER_ID,TYPE_T,T_ID,T_TEXT,C_DATE,S_DATE)values(") +
         QuoteSqlText(userName) + u',' + QString::number(userId) + u',' + QuoteSqlText(kind) + u',' +
         QString::number(objectKey) + u',' + QuoteSqlText(CollapseSpaces(action)) + u',' +
         QuoteSqlText(FormatDateTimeDropMidnight(clientNow)) + QStringLiteral(",current_timestamp)");
}

void LogAction(TDataModule1& data, qint64 objectKey, const QString& kind, const QString& action) {
  if (!data.HasCurrentUser())
    throw DbError(QStringLiteral("Действието не може да бъде записано в историята: няма влязъл потребител."));
  Statement tq(data.Db(), ComposeLogActionSql(data.CurrentUserName(), data.CurrentUserId(), kind, objectKey, action,
                                              Clock::Now()));
  tq.Execute();
}
