// The rows classification reads and the update it writes, shared by one card's
// classification (saving a card) and the ranking run's refresh of the whole register.
#pragma once

#include <QString>
#include <memory>
#include <optional>
#include <vector>

#include "classification/card_classification.h"

class Database;
class Statement;

// A card's own cells that classification needs, with its members.
struct RegisterCard {
  int cardId = 0;
  std::optional<int> aloneParent;
  int group2 = 0;
  std::optional<int> pointsYear;
  std::optional<int> grupaDateYear;
  std::vector<MemberValues> members;
};

// The select list both reads use, over "RGS_CARD C left join RGS_PERSON P": four card cells
// (only the year of GRUPA_DATE, read as a number) then four member cells.
extern const char* const kClassificationReadColumns;

// Reads the four card cells starting at column `first` into `card`.
void ReadCardCells(const Statement& row, int first, RegisterCard& card);
// Reads the member cells starting at column `first + 4`; nothing for a card without members
// (the left join's empty side).
std::optional<MemberValues> ReadMember(const Statement& row, int first);

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
