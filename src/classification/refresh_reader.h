// Reading the whole register for the refresh in one pass: every card's own cells with its
// members, newest card first, and writing each card's classification with kept statements.
#pragma once

#include <QString>
#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "classification/card_classification.h"

class Database;
class Statement;

struct RegisterCard {
  int cardId = 0;
  std::optional<int> aloneParent;
  int group2 = 0;
  std::optional<int> pointsYear;
  std::optional<int> grupaDateYear;
  std::vector<MemberValues> members;
};

// Every card with its members, in descending CARD_ID order (the newest first).
std::vector<RegisterCard> ReadRegisterCards(Database& database);

// Writes a card's classification the way CardClassifier::Update does (the same columns, the
// year of inclusion only when given), keeping one prepared statement per parameter layout.
class ClassificationWriter {
 public:
  explicit ClassificationWriter(Database& database);
  ~ClassificationWriter();
  void Write(int cardId, const CardClassification& c, std::optional<int> year);

 private:
  Database& database_;
  std::map<std::pair<bool, qsizetype>, std::unique_ptr<Statement>> writes_;
};
