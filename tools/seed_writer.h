// Filling an existing register with synthetic households: reusable prepared inserts with
// bound values, registration numbers continuing after the highest one in use.
#pragma once

#include <QDate>
#include <QString>
#include <cstdint>
#include <functional>

class Database;
class Statement;
struct SeedCard;

struct SeedRequest {
  int cards = 0;
  std::uint64_t seed = 1;
  QDate today;             // the day ages are counted from; invalid means the clock's today
  int commitEvery = 5000;  // cards per transaction; 0 commits once at the end
};

struct SeedSummary {
  int firstRegNum = 0;
  int lastRegNum = 0;
  int cards = 0;
  int members = 0;
  QString town;
};

// Called after every committed batch with the number of cards written so far.
using SeedProgress = std::function<void(int written, int total)>;

// The town named by the register's municipality ("Община Пловдив" gives "Пловдив"), or
// empty when the name does not say.
QString TownOfMunicipality(const QString& municipality);

// Writes request.cards households into the attached register and commits. On a database
// error the batch in progress is rolled back and the error goes to the caller; batches
// committed before it stay (SeedSummary of the partial run is not returned then).
SeedSummary SeedRegister(Database& database, const SeedRequest& request, const SeedProgress& progress = {});

// Inserts one card with its members through the given prepared statements (for tests
// and benchmarks that build their own households). Returns the new CARD_ID.
int InsertSeedCard(Statement& insertCard, Statement& insertPerson, const SeedCard& card);
QString SeedCardInsertSql();
QString SeedPersonInsertSql();
