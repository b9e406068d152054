// The rows classification reads and the update it writes, shared by one card's
// classification (saving a card) and the ranking run's refresh of the whole register.
#pragma once

#include <QString>
#include <memory>
#include <optional>
#include <vector>

#include "classification/card_classification.h"
#include "data/card_table.h"
#include "data/person_table.h"

class Database;
class Statement;

// The classification a card holds as stored; empty optionals stand for NULL cells.
struct StoredClassification {
  std::optional<int> kids;
  std::optional<int> points;
  std::optional<QString> pointsDescr;
  std::optional<double> kidsAge;
  std::optional<int> onlyParent;
  std::optional<int> invalids;
  std::optional<int> youngFamily;
};

// True when writing `computed` (and `year`, when given) would store exactly what `stored` and
// `storedYear` hold already; a NULL cell always differs.
bool StoresSameClassification(const StoredClassification& stored, const CardClassification& computed,
                              std::optional<int> storedYear, std::optional<int> year);

// A card's own cells that classification needs, with its members.
struct RegisterCard {
  int cardId = 0;
  std::optional<int> aloneParent;
  int group2 = 0;
  std::optional<int> pointsYear;
  std::optional<int> grupaDateYear;
  std::vector<MemberValues> members;
  StoredClassification stored;  // read only by the refresh of the whole register
};

// The select list both reads use, over "RGS_CARD C left join RGS_PERSON P", and the reading of
// its rows: the card's key and its stored classification when asked for, three card cells,
// only the year of GRUPA_DATE (read as a number), then four member cells.
class ClassificationRead {
 public:
  explicit ClassificationRead(bool withCardId, bool withStoredClassification = false);
  const QString& List() const { return list_; }
  // The key of the row's card; only when the list has it.
  int CardId(const Statement& row) const;
  // The row's card cells (with its key when listed), without members.
  RegisterCard Card(const Statement& row) const;
  // The row's member; nothing for a card without members (the left join's empty side).
  std::optional<MemberValues> Member(const Statement& row) const;

 private:
  CardSelect card_;
  int cardIdColumn_ = -1;
  int grupaDateYearColumn_ = 0;
  PersonSelect member_;
  int memberFirst_ = 0;
  QString list_;
};

// Writes a card's classification: KIDS, POINTS, POINTS_DESCR, POINTS_YEAR (only when a year is
// given), KIDS_AGE, ONLY_PARENT, N_INVALIDS, YOUNG_FAMILY, with its two statements kept prepared.
class ClassificationWriter {
 public:
  explicit ClassificationWriter(Database& database);
  ~ClassificationWriter();
  ClassificationWriter(const ClassificationWriter&) = delete;
  ClassificationWriter& operator=(const ClassificationWriter&) = delete;
  void Write(int cardId, const CardClassification& c, std::optional<int> year);

 private:
  Database& database_;
  std::unique_ptr<Statement> write_;
  std::unique_ptr<Statement> writeWithYear_;
};
