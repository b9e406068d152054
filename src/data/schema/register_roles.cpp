#include "data/schema/register_roles.h"

#include "data/firebird/database.h"
#include "data/firebird/statement.h"

namespace {
const QString kRolePrefix = QStringLiteral("TESARO_");
const QStringList kGroups = {QStringLiteral("USER1"), QStringLiteral("USER2"), QStringLiteral("USER3"),
                             QStringLiteral("USER4"), QStringLiteral("USER6")};
const QStringList kTables = {QStringLiteral("RGS_CARD"), QStringLiteral("RGS_PERSON"), QStringLiteral("NOM"),
                             QStringLiteral("KLAS_NOM"), QStringLiteral("USERS"),      QStringLiteral("INF_LOG")};

// The card's columns that a card's classification writes: saving a new card classifies it at
// once, so the group that may only register cards needs them, and nothing else of a stored card.
const QString kClassificationColumns =
    QStringLiteral("KIDS, POINTS, POINTS_DESCR, POINTS_YEAR, KIDS_AGE, ONLY_PARENT, N_INVALIDS, YOUNG_FAMILY");

QString Grant(const QString& what, const QString& table, const QString& group) {
  return QStringLiteral("GRANT %1 ON %2 TO ROLE %3").arg(what, table, RegisterRoleOf(group));
}

// What every group may do: read the whole register and write the action history, since signing
// in and out and every change is recorded there. The history is only ever added to.
QStringList ReadingAndHistory(const QString& group) {
  QStringList grants;
  for (const QString& table : kTables) grants << Grant(QStringLiteral("SELECT"), table, group);
  grants << Grant(QStringLiteral("INSERT"), QStringLiteral("INF_LOG"), group);
  return grants;
}

QStringList GroupGrants() {
  QStringList grants;
  // USER6 only looks.
  grants << ReadingAndHistory(QStringLiteral("USER6"));
  // USER4 registers new cards with their members; a new card's classification updates its
  // classification columns. A stored card is neither changed otherwise nor deleted.
  grants << ReadingAndHistory(QStringLiteral("USER4"))
         << Grant(QStringLiteral("INSERT"), QStringLiteral("RGS_CARD"), QStringLiteral("USER4"))
         << Grant(QStringLiteral("INSERT"), QStringLiteral("RGS_PERSON"), QStringLiteral("USER4"))
         << Grant(QStringLiteral("UPDATE (%1)").arg(kClassificationColumns), QStringLiteral("RGS_CARD"),
                  QStringLiteral("USER4"));
  // USER3 registers cards as USER4 and also runs the ranking, which writes each card's
  // classification, its place (CLASSINFO) and a line of its system notes; a stored card's own
  // data and its members stay as they are, and nothing is deleted.
  grants << ReadingAndHistory(QStringLiteral("USER3"))
         << Grant(QStringLiteral("INSERT"), QStringLiteral("RGS_CARD"), QStringLiteral("USER3"))
         << Grant(QStringLiteral("INSERT"), QStringLiteral("RGS_PERSON"), QStringLiteral("USER3"))
         << Grant(QStringLiteral("UPDATE (%1, CLASSINFO, SYS_NOTES)").arg(kClassificationColumns),
                  QStringLiteral("RGS_CARD"), QStringLiteral("USER3"));
  // USER2 also changes stored cards: saving a card with fewer members deletes the surplus ones,
  // the personal-number correction and the population names change members. Cards themselves
  // are not deleted.
  grants << ReadingAndHistory(QStringLiteral("USER2"));
  for (const QString& table : {QStringLiteral("RGS_CARD"), QStringLiteral("RGS_PERSON")})
    grants << Grant(QStringLiteral("INSERT, UPDATE"), table, QStringLiteral("USER2"));
  grants << Grant(QStringLiteral("DELETE"), QStringLiteral("RGS_PERSON"), QStringLiteral("USER2"));
  // USER1 does everything: the code lists and the settings cells (NOM), the classification's
  // weights, deleting cards; the action history stays append-only for every clerk.
  grants << ReadingAndHistory(QStringLiteral("USER1"));
  for (const QString& table : {QStringLiteral("RGS_CARD"), QStringLiteral("RGS_PERSON"), QStringLiteral("NOM"),
                               QStringLiteral("KLAS_NOM"), QStringLiteral("USERS")})
    grants << Grant(QStringLiteral("INSERT, UPDATE, DELETE"), table, QStringLiteral("USER1"));
  return grants;
}

// The triggers take keys from the generators and keep the card's member count: they are given
// that themselves, so no clerk needs the generators or an update of the card to add a member.
QStringList TriggerGrants() {
  return {
      QStringLiteral("GRANT USAGE ON GENERATOR GEN_RGS_CARD_ID TO TRIGGER RGS_CARD_BI"),
      QStringLiteral("GRANT SELECT ON RGS_PERSON TO TRIGGER RGS_CARD_BI"),
      QStringLiteral("GRANT USAGE ON GENERATOR GEN_RGS_PERSON_ID TO TRIGGER RGS_PERSON_BI"),
      QStringLiteral("GRANT USAGE ON GENERATOR GEN_INF_LOG_ID TO TRIGGER INF_LOG_BI"),
      QStringLiteral("GRANT USAGE ON GENERATOR GEN_USERS_ID TO TRIGGER USERS_BI"),
      QStringLiteral("GRANT UPDATE ON RGS_CARD TO TRIGGER RGS_PERSON_AI_COUNT"),
      QStringLiteral("GRANT UPDATE ON RGS_CARD TO TRIGGER RGS_PERSON_AD_COUNT"),
      QStringLiteral("GRANT UPDATE ON RGS_CARD TO TRIGGER RGS_PERSON_AU_COUNT"),
  };
}

bool RoleExists(Database& database, const QString& role) {
  Statement query(database, QStringLiteral("select 1 from RDB$ROLES where RDB$ROLE_NAME = ?"));
  query.Bind(0, role);
  query.Open();
  const bool found = query.Next();
  query.Close();
  return found;
}
}  // namespace

QString RegisterRoleOf(const QString& rightsGroup) {
  return kGroups.contains(rightsGroup) ? kRolePrefix + rightsGroup : QString();
}

QString RightsGroupOfRole(const QString& role) {
  const QString name = role.trimmed().toUpper();
  if (!name.startsWith(kRolePrefix)) return {};
  const QString group = name.mid(kRolePrefix.size());
  return kGroups.contains(group) ? group : QString();
}

QStringList RegisterRoles() {
  QStringList roles;
  for (const QString& group : kGroups) roles << RegisterRoleOf(group);
  return roles;
}

void CreateRegisterRoles(Database& database) {
  Transaction& transaction = database.DefaultTransaction();
  for (const QString& role : RegisterRoles()) {
    if (RoleExists(database, role)) continue;
    database.ExecuteImmediate(QStringLiteral("CREATE ROLE ") + role);
    transaction.Commit();  // the grants below name it
  }
  for (const QString& grant : GroupGrants() + TriggerGrants()) database.ExecuteImmediate(grant);
  transaction.Commit();
}
