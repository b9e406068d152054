// Comparing every stored name with the population database's full name for the same personal
// number, and replacing one stored name with it. No window: the names window calls these.
#pragma once

#include <QString>
#include <functional>
#include <vector>

class TDataModule1;
class TPersonInfo;

// A listed person: the row of RGS_PERSON it came from, so saving changes exactly that row.
struct LbdNameRow {
  int personId = 0;
  QString egn;
  QString storedName;
  QString lbdName;
};

// True when the stored name's first L characters differ from the full name of length L
// (so trailing blanks and anything after the first L characters do not count; case does).
bool LbdNameDiffers(const QString& storedName, const QString& fullName);
// The same for the full name of a loaded person, without making that name (the walk over the
// whole register asks this for every person).
bool LbdNameDiffers(const QString& storedName, const TPersonInfo& person);

// Walks every person of the register in table order and lists those whose personal number
// the population database knows under a differing name. `progress` gets (k, n) after each person.
// LbdError when the library is unreachable.
std::vector<LbdNameRow> FindDifferingNames(TDataModule1& data, TPersonInfo& person,
                                           const std::function<void(int k, int n)>& progress = {});

enum class LbdNameSave {
  Saved,
  PersonGone,   // the row was deleted since the list was built
  EgnChanged,   // the row's personal number is no longer the listed one
  NotInLbd,     // the population database no longer knows the number
  NoLbdName,    // it knows the number but gives no name
  NameTooLong,  // its name is longer than the register's name column holds
};

// Writes the population database's full name into the listed person's row and commits keeping
// the transaction (commit-retaining). Re-checks the row and the name first and writes nothing
// unless both still hold.
LbdNameSave SaveLbdName(TDataModule1& data, TPersonInfo& person, const LbdNameRow& row);

// The message shown for a save that wrote nothing.
QString LbdNameSaveMessage(LbdNameSave outcome);
