#include "adoption/schema_bring_up.h"

#include <QRegularExpression>
#include <QTemporaryDir>

#include "data/action_log.h"
#include "data/card_table.h"
#include "data/firebird/database.h"
#include "data/firebird/db_error.h"
#include "data/firebird/statement.h"
#include "data/person_table.h"
#include "data/schema/register_setup.h"
#include "data/schema/sql_script.h"

namespace {
// How many duplicate values a refusal names.
constexpr int kNamedDuplicates = 20;

// The schema script's statement that makes `kind` (TABLE, TRIGGER) `name`, empty when none.
QString ScriptStatement(const QString& kind, const QString& name) {
  const QRegularExpression starts(QStringLiteral(R"(^CREATE\s+%1\s+%2\b)").arg(kind, name),
                                  QRegularExpression::CaseInsensitiveOption);
  for (const QString& statement : SplitSqlScript(QString::fromUtf8(RegisterSchemaScript())))
    if (starts.match(statement).hasMatch()) return statement;
  return {};
}

bool IsText(const ColumnShape& c) { return c.type == QLatin1String("CHAR") || c.type == QLatin1String("VARCHAR"); }

// A column of another shape that can be widened to `wanted` without any value changing.
bool WidensWithoutChange(const ColumnShape& found, const ColumnShape& wanted) {
  if (IsText(found) && found.type == wanted.type) return found.length < wanted.length;
  return found.type == QLatin1String("SMALLINT") && wanted.type == QLatin1String("INTEGER");
}

void CompareColumns(const QString& table, const SchemaCatalog& found, const SchemaCatalog& wanted, SchemaPlan& plan) {
  for (const ColumnShape& column : wanted.tables.at(table)) {
    const QString where = table + u'.' + column.name;
    const ColumnShape* present = found.Column(table, column.name);
    if (!present) {
      if (column.notNull) {
        plan.blocking << QStringLiteral("Липсва задължителната колона %1 (%2); без стойност за съществуващите редове "
                                        "тя не може да бъде добавена. Добавете я в старата база със стойности и "
                                        "повторете приемането.").arg(where, column.Declaration());
        continue;
      }
      plan.statements << QStringLiteral("ALTER TABLE %1 ADD %2 %3").arg(table, column.name, column.Declaration());
      plan.changes << QStringLiteral("Добавена колона %1 %2 (празна за съществуващите редове).").arg(where, column.Declaration());
      continue;
    }
    if (present->Declaration() == column.Declaration()) {
      if (!present->notNull && column.notNull)
        plan.notes << QStringLiteral("Колоната %1 допуска празни стойности; програмата винаги я попълва.").arg(where);
      continue;
    }
    if (WidensWithoutChange(*present, column)) {
      plan.statements << QStringLiteral("ALTER TABLE %1 ALTER COLUMN %2 TYPE %3").arg(table, column.name, column.Declaration());
      plan.changes << QStringLiteral("Колоната %1 е разширена от %2 на %3; стойностите са същите.")
                          .arg(where, present->Declaration(), column.Declaration());
    } else if (IsText(*present) && present->type == column.type && present->length > column.length) {
      plan.notes << QStringLiteral("Колоната %1 е %2, по-дълга от %3 на програмата; оставена е, а програмата записва в "
                                   "нея до %4 знака.").arg(where, present->Declaration(), column.Declaration())
                        .arg(column.length);
    } else {
      plan.blocking << QStringLiteral("Колоната %1 е %2, а програмата очаква %3; превръщането може да промени "
                                      "стойности. Превърнете колоната в старата база (ALTER TABLE %4 ALTER COLUMN %5 "
                                      "TYPE %3), като проверите стойностите, и повторете приемането.")
                           .arg(where, present->Declaration(), column.Declaration(), table, column.name);
    }
  }
  for (const ColumnShape& column : found.tables.at(table))
    if (!wanted.Column(table, column.name))
      plan.notes << QStringLiteral("Колоната %1.%2 (%3) не е на програмата; оставена е с данните си.")
                        .arg(table, column.name, column.Declaration());
}

// An index of `found` on the same table and columns with the same uniqueness, whatever its name.
const IndexShape* SameIndex(const SchemaCatalog& found, const IndexShape& wanted) {
  for (const auto& [name, index] : found.indexes)
    if (index.table == wanted.table && index.columns == wanted.columns && index.unique == wanted.unique) return &index;
  return nullptr;
}

// The values of `columns` in `table` held by more than one row, as "value (n)".
QStringList Duplicates(Database& database, const QString& table, const QStringList& columns) {
  const QString list = columns.join(u',');
  Statement query(database, QStringLiteral("select %1, count(*) from %2 group by %1 having count(*) > 1 order by %1")
                                .arg(list, table));
  query.Open();
  QStringList found;
  while (query.Next()) {
    QStringList values;
    for (int i = 0; i < columns.size(); ++i) values << query.Value(i).toString().trimmed();
    found << QStringLiteral("%1 (%2 пъти)").arg(values.join(u'/')).arg(query.Value(columns.size()).toInt());
  }
  return found;
}

void CompareIndexes(Database& database, const SchemaCatalog& found, const SchemaCatalog& wanted, SchemaPlan& plan,
                    const QStringList& newTables) {
  for (const auto& [name, index] : wanted.indexes) {
    // A new table's keys are made with it; its other indexes are not.
    if (newTables.contains(index.table) &&
        ScriptStatement(QStringLiteral("TABLE"), index.table).contains(QStringLiteral("CONSTRAINT ") + name))
      continue;
    const auto present = found.indexes.find(name);
    if (present != found.indexes.end() && present->second.table == index.table &&
        present->second.columns == index.columns && present->second.unique == index.unique)
      continue;
    if (const IndexShape* same = SameIndex(found, index)) {
      plan.notes << QStringLiteral("Индексът %1 на %2 (%3) е под името %4; програмата го използва така.")
                        .arg(name, index.table, index.columns.join(u','), same->name);
      continue;
    }
    if (present != found.indexes.end()) {
      plan.blocking << QStringLiteral("Индексът %1 в старата база е на %2 (%3), а програмата го иска на %4 (%5). "
                                      "Преименувайте или премахнете стария индекс и повторете приемането.")
                           .arg(name, present->second.table, present->second.columns.join(u','), index.table,
                                index.columns.join(u','));
      continue;
    }
    if (index.primaryKey) {
      plan.blocking << QStringLiteral("Таблицата %1 няма първичен ключ по %2. Добавете го в старата база и повторете "
                                      "приемането.").arg(index.table, index.columns.join(u','));
      continue;
    }
    if (index.unique) {
      const QStringList duplicates = Duplicates(database, index.table, index.columns);
      if (!duplicates.isEmpty()) {
        plan.blocking << QStringLiteral("Уникалният индекс %1 на %2 (%3) не може да бъде направен: повтарят се %4%5. "
                                        "Поправете повторенията в старата програма и повторете приемането.")
                             .arg(name, index.table, index.columns.join(u','),
                                  QStringList(duplicates.mid(0, kNamedDuplicates)).join(QStringLiteral(", ")),
                                  duplicates.size() > kNamedDuplicates
                                      ? QStringLiteral(" и още %1").arg(duplicates.size() - kNamedDuplicates)
                                      : QString());
        continue;
      }
    }
    plan.statements << QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)")
                           .arg(index.unique ? QStringLiteral("UNIQUE ") : QString(), name, index.table,
                                index.columns.join(u','));
    plan.changes << QStringLiteral("Направен %1индекс %2 на %3 (%4).")
                        .arg(index.unique ? QStringLiteral("уникален ") : QString(), name, index.table,
                             index.columns.join(u','));
  }
}

struct KeyGenerator {
  QString generator;
  QString table;
  QString key;
};

const std::vector<KeyGenerator>& KeyGenerators() {
  static const std::vector<KeyGenerator> generators = {
      {QStringLiteral("GEN_RGS_CARD_ID"), QString(card_table::kTable), QString(card_table::kCardId)},
      {QStringLiteral("GEN_RGS_PERSON_ID"), QString(person_table::kTable), QString(person_table::kPersonId)},
      {QStringLiteral("GEN_INF_LOG_ID"), QStringLiteral("INF_LOG"), QStringLiteral("LOG_ID")},
      {QStringLiteral("GEN_USERS_ID"), QStringLiteral("USERS"), QStringLiteral("USER_ID")},
  };
  return generators;
}
}  // namespace

SchemaPlan PlanSchemaBringUp(Database& database, const SchemaCatalog& found, const SchemaCatalog& wanted) {
  SchemaPlan plan;
  if (found.dialect != wanted.dialect)
    plan.blocking << QStringLiteral("Базата е в SQL диалект %1, а регистърът работи в диалект %2 (дата с час); "
                                    "превръщането би променило дати и числа. Приемете архив на база в диалект %2.")
                         .arg(found.dialect)
                         .arg(wanted.dialect);
  if (found.characterSet != wanted.characterSet)
    plan.blocking << QStringLiteral("Базата е в знаков набор %1, а регистърът пази текстовете си в %2; текстовете "
                                    "ѝ не могат да бъдат прочетени сигурно като кирилица. Превърнете базата в %2 "
                                    "със старата програма или сървъра си и повторете приемането.")
                         .arg(found.characterSet.isEmpty() ? QStringLiteral("NONE") : found.characterSet,
                              wanted.characterSet);
  if (!plan.blocking.isEmpty()) return plan;

  QStringList newTables;
  for (const auto& [table, columns] : wanted.tables) {
    if (found.tables.count(table)) continue;
    newTables << table;
    plan.statements << ScriptStatement(QStringLiteral("TABLE"), table);
    plan.changes << QStringLiteral("Добавена таблица %1 (празна).").arg(table);
  }
  for (const auto& [table, columns] : wanted.tables)
    if (found.tables.count(table)) CompareColumns(table, found, wanted, plan);
  for (const auto& [table, columns] : found.tables)
    if (!wanted.tables.count(table))
      plan.notes << QStringLiteral("Таблицата %1 не е на програмата; оставена е с данните си.").arg(table);
  for (const QString& generator : wanted.generators) {
    if (found.generators.count(generator)) continue;
    plan.statements << QStringLiteral("CREATE GENERATOR %1").arg(generator);
    plan.changes << QStringLiteral("Добавен генератор %1.").arg(generator);
  }
  CompareIndexes(database, found, wanted, plan, newTables);
  for (const QString& trigger : wanted.triggers) {
    if (found.triggers.count(trigger)) continue;
    plan.statements << ScriptStatement(QStringLiteral("TRIGGER"), trigger);
    plan.changes << QStringLiteral("Добавен тригер %1.").arg(trigger);
  }
  for (const QString& trigger : found.triggers)
    if (!wanted.triggers.count(trigger))
      plan.notes << QStringLiteral("Тригерът %1 не е на програмата; оставен е. Проверете, че не номерира редове и не "
                                   "брои членовете като тригерите на програмата.").arg(trigger);
  if (!plan.blocking.isEmpty()) plan.statements.clear();
  return plan;
}

void ApplySchemaPlan(Database& database, const SchemaPlan& plan) {
  Transaction& transaction = database.DefaultTransaction();
  for (const QString& statement : plan.statements) {
    database.ExecuteImmediate(statement);
    transaction.Commit();
  }
}

QStringList SetGeneratorsPastKeys(Database& database) {
  QStringList moved;
  for (const KeyGenerator& key : KeyGenerators()) {
    Statement highest(database, QStringLiteral("select coalesce(max(%1), 0) from %2").arg(key.key, key.table));
    const qint64 top = highest.ScalarValue().toLongLong();
    Statement current(database, QStringLiteral("select gen_id(%1, 0) from RDB$DATABASE").arg(key.generator));
    const qint64 now = current.ScalarValue().toLongLong();
    if (now >= top) continue;
    database.ExecuteImmediate(QStringLiteral("SET GENERATOR %1 TO %2").arg(key.generator).arg(top));
    moved << QStringLiteral("Генераторът %1 е преместен от %2 на %3, след най-големия ключ в %4.")
                 .arg(key.generator)
                 .arg(now)
                 .arg(top)
                 .arg(key.table);
  }
  database.DefaultTransaction().Commit();
  return moved;
}

QList<qint64> RecomputeMemberCounts(Database& database) {
  const QString counted = QStringLiteral("(select count(*) from %1 P where P.%2 = C.%3)")
                              .arg(person_table::kTable, person_table::kCardId, card_table::kCardId);
  Statement wrong(database, QStringLiteral("select C.%1 from %2 C where C.FAMILY_MEMBER_COUNT is distinct from %3 "
                                           "order by C.%1").arg(card_table::kRegNum, card_table::kTable, counted));
  wrong.Open();
  QList<qint64> regNums;
  while (wrong.Next()) regNums << wrong.Value(0).toLongLong();
  wrong.Close();
  database.ExecuteImmediate(QStringLiteral("update %1 C set C.FAMILY_MEMBER_COUNT = %2 "
                                           "where C.FAMILY_MEMBER_COUNT is distinct from %2")
                                .arg(card_table::kTable, counted));
  database.DefaultTransaction().Commit();
  return regNums;
}

SchemaCatalog RegisterSchemaCatalog() {
  QTemporaryDir folder;
  if (!folder.isValid()) throw DbError(QStringLiteral("Няма място за временна база: %1").arg(folder.errorString()));
  ConnectionParams params;
  params.path = folder.filePath(QStringLiteral("schema.fdb"));
  Database database;
  database.Create(params);
  RunSchemaScript(database);
  SchemaCatalog catalog = ReadSchemaCatalog(database);
  database.DefaultTransaction().Commit();
  database.Drop();
  return catalog;
}
