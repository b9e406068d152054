#include "data/schema/register_setup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "data/firebird/db_error.h"
#include "data/schema/code_lists.h"
#include "data/schema/register_roles.h"
#include "data/schema/sql_script.h"

void RunSchemaScript(Database& database) {
  Transaction& transaction = database.DefaultTransaction();
  for (const QString& statement : SplitSqlScript(QString::fromUtf8(RegisterSchemaScript()))) {
    database.ExecuteImmediate(statement);
    transaction.Commit();  // later statements refer to the objects made by earlier ones
  }
}

void CreateRegister(Database& database, const ConnectionParams& params, const QString& municipality,
                    const QString& office) {
  if (!IsServerPath(params.path)) {
    const QFileInfo file(params.path);
    if (file.exists())
      throw DbError(QStringLiteral("Файлът %1 вече съществува; регистърът не е създаден.").arg(params.path));
    if (!file.absoluteDir().exists())
      throw DbError(QStringLiteral("Папката %1 не съществува.").arg(file.absolutePath()));
  }
  try {
    database.Create(params);
    RunSchemaScript(database);
    FillCodeLists(database, municipality, kDefaultRegistrationYears, office);
    database.DefaultTransaction().Commit();
    // On a server each clerk works under their own account and their group's role.
    if (IsServerPath(params.path)) CreateRegisterRoles(database);
  } catch (const DbError&) {
    // A half-made register would block the next attempt as "already exists". When the
    // engine cannot drop it (a full disk fails the creation and the drop alike), the file
    // this creation made is removed: the path held nothing before it.
    try {
      database.Drop();
    } catch (const DbError&) {
      // The first error is the one worth showing.
    }
    if (!IsServerPath(params.path)) {
      try {
        database.Detach();
      } catch (const DbError&) {
        // The file goes all the same; the engine lets go of it when the object does.
      }
      QFile::remove(params.path);
    }
    throw;
  }
}
