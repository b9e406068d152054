// What a register database's schema is, read from its system tables: the tables and their
// columns with type and length, the named indexes, the generators and triggers, the dialect
// and the character set. Comparing two catalogs is how an older register is measured against
// the one the program makes.
#pragma once

#include <QString>
#include <QStringList>
#include <map>
#include <set>
#include <vector>

class Database;

struct ColumnShape {
  QString name;
  QString type;     // SMALLINT, INTEGER, BIGINT, FLOAT, DOUBLE PRECISION, DATE, TIME, CHAR, VARCHAR, BLOB
  int length = 0;   // characters of CHAR and VARCHAR
  int scale = 0;    // digits after the point of a NUMERIC or DECIMAL (stored as a whole number or a double)
  int subType = 0;  // of a BLOB
  bool notNull = false;

  // The type as a column definition writes it: "CHAR(100)", "BLOB SUB_TYPE 1", "NUMERIC(15,2)".
  QString Declaration() const;
};

struct IndexShape {
  QString name;
  QString table;
  QStringList columns;
  bool unique = false;
  bool primaryKey = false;
};

struct SchemaCatalog {
  std::map<QString, std::vector<ColumnShape>> tables;  // in column order
  std::map<QString, IndexShape> indexes;               // by name
  std::set<QString> generators;
  std::set<QString> triggers;
  int dialect = 0;
  QString characterSet;

  const ColumnShape* Column(const QString& table, const QString& column) const;
};

SchemaCatalog ReadSchemaCatalog(Database& database);
