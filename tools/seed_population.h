// A population-database store to match a seeded register: one person for each member of the
// register, most with the stored name, some with the name in other letter case, in another
// order or misspelt, and some personal numbers left out, so the names comparison finds
// something real.
#pragma once

#include <QString>
#include <cstdint>
#include <functional>

class Database;

struct PopulationSeedSummary {
  int persons = 0;      // members read from the register
  int written = 0;      // persons written to the store
  int sameName = 0;
  int otherCase = 0;
  int otherOrder = 0;
  int misspelt = 0;
  int leftOut = 0;      // personal numbers the store does not know
};

// Reads every member of the attached register and writes the store at `storePath` (created
// when missing; persons already there with the same number are replaced). The same seed gives
// the same store. `progress` gets (persons done, total). PopulationError or DbError on failure.
PopulationSeedSummary WritePopulationForSeed(Database& database, const QString& storePath, std::uint64_t seed,
                                             const std::function<void(int done, int total)>& progress = {});
