#include "adoption/schema_catalog.h"

#include "data/firebird/database.h"
#include "data/firebird/statement.h"

namespace {
QString Trimmed(const QVariant& value) { return value.toString().trimmed(); }

// The type of a field by the engine's own codes.
QString TypeName(int code, int scale) {
  switch (code) {
    case 7: return scale < 0 ? QStringLiteral("NUMERIC") : QStringLiteral("SMALLINT");
    case 8: return scale < 0 ? QStringLiteral("NUMERIC") : QStringLiteral("INTEGER");
    case 16: return scale < 0 ? QStringLiteral("NUMERIC") : QStringLiteral("BIGINT");
    case 10: return QStringLiteral("FLOAT");
    case 27: return scale < 0 ? QStringLiteral("NUMERIC") : QStringLiteral("DOUBLE PRECISION");
    case 35: return QStringLiteral("DATE");  // a dialect-1 DATE holds a date and a time of day
    case 12: return QStringLiteral("SQL DATE");
    case 13: return QStringLiteral("TIME");
    case 14: return QStringLiteral("CHAR");
    case 37: return QStringLiteral("VARCHAR");
    case 261: return QStringLiteral("BLOB");
    default: return QStringLiteral("TYPE %1").arg(code);
  }
}

void ReadColumns(Database& database, SchemaCatalog& catalog) {
  Statement query(database, QStringLiteral(
      "select RF.RDB$RELATION_NAME, RF.RDB$FIELD_NAME, F.RDB$FIELD_TYPE, F.RDB$FIELD_SCALE, "
      "coalesce(F.RDB$CHARACTER_LENGTH, F.RDB$FIELD_LENGTH), F.RDB$FIELD_SUB_TYPE, F.RDB$FIELD_PRECISION, "
      "coalesce(RF.RDB$NULL_FLAG, F.RDB$NULL_FLAG, 0) "
      "from RDB$RELATION_FIELDS RF join RDB$FIELDS F on F.RDB$FIELD_NAME = RF.RDB$FIELD_SOURCE "
      "join RDB$RELATIONS R on R.RDB$RELATION_NAME = RF.RDB$RELATION_NAME "
      "where coalesce(R.RDB$SYSTEM_FLAG, 0) = 0 and R.RDB$VIEW_BLR is null "
      "order by RF.RDB$RELATION_NAME, RF.RDB$FIELD_POSITION"));
  query.Open();
  while (query.Next()) {
    ColumnShape column;
    column.name = Trimmed(query.Value(1));
    const int scale = query.Value(3).toInt();
    column.type = TypeName(query.Value(2).toInt(), scale);
    if (column.type == QLatin1String("CHAR") || column.type == QLatin1String("VARCHAR"))
      column.length = query.Value(4).toInt();
    if (column.type == QLatin1String("NUMERIC")) {
      column.scale = -scale;
      column.length = query.IsNull(6) || query.Value(6).toInt() == 0 ? 15 : query.Value(6).toInt();
    }
    if (column.type == QLatin1String("BLOB")) column.subType = query.Value(5).toInt();
    column.notNull = query.Value(7).toInt() != 0;
    catalog.tables[Trimmed(query.Value(0))].push_back(column);
  }
}

void ReadIndexes(Database& database, SchemaCatalog& catalog) {
  Statement query(database, QStringLiteral(
      "select I.RDB$INDEX_NAME, I.RDB$RELATION_NAME, coalesce(I.RDB$UNIQUE_FLAG, 0), S.RDB$FIELD_NAME, "
      "(select count(*) from RDB$RELATION_CONSTRAINTS C where C.RDB$INDEX_NAME = I.RDB$INDEX_NAME "
      "and C.RDB$CONSTRAINT_TYPE = 'PRIMARY KEY') "
      "from RDB$INDICES I join RDB$INDEX_SEGMENTS S on S.RDB$INDEX_NAME = I.RDB$INDEX_NAME "
      "where coalesce(I.RDB$SYSTEM_FLAG, 0) = 0 order by I.RDB$INDEX_NAME, S.RDB$FIELD_POSITION"));
  query.Open();
  while (query.Next()) {
    IndexShape& index = catalog.indexes[Trimmed(query.Value(0))];
    index.name = Trimmed(query.Value(0));
    index.table = Trimmed(query.Value(1));
    index.unique = query.Value(2).toInt() != 0;
    index.primaryKey = query.Value(4).toInt() > 0;
    index.columns << Trimmed(query.Value(3));
  }
}

std::set<QString> ReadNames(Database& database, const QString& sql) {
  Statement query(database, sql);
  query.Open();
  std::set<QString> names;
  while (query.Next()) names.insert(Trimmed(query.Value(0)));
  return names;
}
}  // namespace

QString ColumnShape::Declaration() const {
  if (type == QLatin1String("CHAR") || type == QLatin1String("VARCHAR")) return QStringLiteral("%1(%2)").arg(type).arg(length);
  if (type == QLatin1String("NUMERIC")) return QStringLiteral("NUMERIC(%1,%2)").arg(length).arg(scale);
  if (type == QLatin1String("BLOB")) return QStringLiteral("BLOB SUB_TYPE %1").arg(subType);
  return type;
}

const ColumnShape* SchemaCatalog::Column(const QString& table, const QString& column) const {
  const auto found = tables.find(table);
  if (found == tables.end()) return nullptr;
  for (const ColumnShape& shape : found->second)
    if (shape.name == column) return &shape;
  return nullptr;
}

SchemaCatalog ReadSchemaCatalog(Database& database) {
  database.DefaultTransaction().StartIfNeeded();
  SchemaCatalog catalog;
  ReadColumns(database, catalog);
  ReadIndexes(database, catalog);
  catalog.generators = ReadNames(
      database, QStringLiteral("select RDB$GENERATOR_NAME from RDB$GENERATORS where coalesce(RDB$SYSTEM_FLAG, 0) = 0"));
  catalog.triggers = ReadNames(
      database, QStringLiteral("select RDB$TRIGGER_NAME from RDB$TRIGGERS where coalesce(RDB$SYSTEM_FLAG, 0) = 0"));
  Statement characterSet(database, QStringLiteral("select RDB$CHARACTER_SET_NAME from RDB$DATABASE"));
  catalog.characterSet = Trimmed(characterSet.ScalarValue());
  Statement dialect(database, QStringLiteral("select MON$SQL_DIALECT from MON$DATABASE"));
  catalog.dialect = dialect.ScalarValue().toInt();
  return catalog;
}
