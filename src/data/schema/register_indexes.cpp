#include "data/schema/register_indexes.h"

#include "data/card_table.h"
#include "data/firebird/database.h"
#include "data/firebird/statement.h"

void AddMissingRegisterIndexes(Database& database) {
  Transaction& transaction = database.DefaultTransaction();
  if (transaction.IsActive()) return;
  const QString name = QString::fromLatin1(kRegNumDescendingIndex);
  try {
    Statement exists(database, QStringLiteral("select count(*) from RDB$INDICES where RDB$INDEX_NAME = ?"));
    exists.Bind(0, name);
    const bool present = exists.ScalarValue().toInt() > 0;
    if (!present)
      database.ExecuteImmediate(QStringLiteral("create descending index ") + name + QStringLiteral(" on ") +
                                card_table::kTable + u'(' + card_table::kRegNum + u')');
    transaction.Commit();
  } catch (const DbError&) {
    // Without the index a new card's number costs a scan of the cards, nothing else.
    try {
      transaction.Rollback();
    } catch (const DbError&) {
    }
  }
}
