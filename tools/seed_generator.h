// The synthetic household generator: from a seed and a day, a reproducible stream of
// plausible cards with their members (valid EGNs whose ages fit each member's role).
#pragma once

#include <QDate>
#include <QString>
#include <cstdint>

#include "seed_household.h"
#include "seed_random.h"

class HouseholdGenerator {
 public:
  // Every `kBrokenHolderEvery`-th card (the 101st, the 301st, ...) gets a holder EGN that
  // encodes no usable date, so the invalid-EGN view has something to show.
  static constexpr int kBrokenHolderEvery = 200;
  static constexpr int kBrokenHolderAt = 100;

  // `today` is the day the ages are counted from; `town` names the addresses' town
  // (empty: one is picked from the seed).
  HouseholdGenerator(std::uint64_t seed, const QDate& today, const QString& town = QString());

  SeedCard Next(int regNum);
  int Made() const { return made_; }
  const QString& Town() const { return town_; }

 private:
  SeedPerson MakePerson(int role, bool male, const QDate& birth, const QString& first, const QString& father,
                        const QString& family);
  QDate BirthForAge(int years);
  QString Address();
  void AddDisability(SeedPerson& person, int age);
  void FinishPerson(SeedPerson& person, int age);
  void FillCardData(SeedCard& card, const QDate& holderBirth, int adults);

  SeedRandom random_;
  QDate today_;
  QString town_;
  int made_ = 0;
};
