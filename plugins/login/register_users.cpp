// Creating the register and adding and removing rows of its users table.
#include "register_users.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "data/firebird/cp1251.h"
#include "data/firebird/statement.h"
#include "data/schema/register_setup.h"
#include "data/nom_table.h"
#include "login_config.h"

namespace {
// One short attachment per operation; the program attaches to the same file afterwards.
class Attached {
 public:
  explicit Attached(const ConnectionParams& params) { db_.Attach(params); }
  ~Attached() {
    try {
      if (db_.IsConnected()) db_.Detach();
    } catch (const DbError&) {
    }
  }
  Database& Db() { return db_; }

 private:
  Database db_;
};

QVariant UserIdOf(Database& db, const QString& login) {
  Statement query(db, QStringLiteral("select USER_ID from USERS where NAME = ?"));
  query.Bind(0, login);
  return query.ScalarValue();
}
}  // namespace

bool RegisterExists(const ConnectionParams& params) {
  return IsServerPath(params.path) || QFileInfo::exists(params.path);
}

void CreateRegisterFile(const ConnectionParams& params, const QString& municipality) {
  if (IsServerPath(params.path))
    throw LoginError(QStringLiteral("Регистър на сървър не се създава оттук; използвайте „tesaro-admin init-db“."));
  if (municipality.size() > kMunicipalityLength)
    throw LoginError(QStringLiteral("Името на общината е по-дълго от %1 знака.").arg(kMunicipalityLength));
  if (!FitsCp1251(municipality))
    throw LoginError(QStringLiteral("Името на общината съдържа знаци, които регистърът не може да съхрани."));
  if (QFileInfo::exists(params.path))
    throw LoginError(QStringLiteral("Файлът %1 вече съществува; регистърът не е създаден.").arg(params.path));
  const QString folder = QFileInfo(params.path).absolutePath();
  if (!QDir().mkpath(folder)) throw LoginError(QStringLiteral("Папката %1 не може да бъде създадена.").arg(folder));

  Database database;
  try {
    // A failing creation drops what it made, so nothing half-made blocks the next attempt.
    CreateRegister(database, params, municipality);
    database.Detach();
  } catch (const DbError& error) {
    throw LoginError(QStringLiteral("Регистърът не е създаден: %1").arg(error.Message()));
  }
}

bool EnsureRegisterUser(const ConnectionParams& params, const QString& login, const QString& fullName) {
  Attached attached(params);
  Database& db = attached.Db();
  if (!UserIdOf(db, login).isNull()) return false;
  Statement insert(db, QStringLiteral("insert into USERS (NAME, FULL_NAME) values (?, ?)"));
  insert.BindAll({login, fullName.isEmpty() ? QVariant() : QVariant(fullName)});
  insert.Execute();
  db.DefaultTransaction().Commit();
  return true;
}

RegisterUserRemoval RemoveRegisterUser(const ConnectionParams& params, const QString& login) {
  Attached attached(params);
  Database& db = attached.Db();
  const QVariant userId = UserIdOf(db, login);
  if (userId.isNull()) return RegisterUserRemoval::NotThere;
  Statement history(db, QStringLiteral("select count(*) from INF_LOG where USER_ID = ?"));
  history.Bind(0, userId);
  if (history.ScalarValue().toInt() > 0) return RegisterUserRemoval::KeptForHistory;
  Statement remove(db, QStringLiteral("delete from USERS where USER_ID = ?"));
  remove.Bind(0, userId);
  remove.Execute();
  db.DefaultTransaction().Commit();
  return RegisterUserRemoval::Removed;
}

QString LoginErrorText(const std::exception& error) {
  if (const auto* login = dynamic_cast<const LoginError*>(&error)) return login->Message();
  if (const auto* db = dynamic_cast<const DbError*>(&error)) return db->Message();
  return QString::fromLocal8Bit(error.what());
}
