// Writing a card's classification values into its RGS_CARD row, inside the caller's
// transaction (a statement starts one when none runs); nothing here commits.
#pragma once

#include <QString>
#include <memory>

#include "core/date_time.h"

class TDataModule1;
class Database;
class Statement;
class ClassificationRead;
class ClassificationWriter;

// Keeps its statements prepared so that classifying every card of the register (the
// ranking run) prepares them once.
class CardClassifier {
 public:
  explicit CardClassifier(Database& database);
  ~CardClassifier();
  CardClassifier(const CardClassifier&) = delete;
  CardClassifier& operator=(const CardClassifier&) = delete;

  // Reads the card and its members, computes, and updates the card row with one statement.
  // POINTS_YEAR is filled only when setYear and it is missing or below 1970. Returns the
  // points written; a key with no card writes nothing and returns 0. An unreadable
  // disability date throws DbError before anything is written.
  int Update(int cardId, bool setYear);
  // The same as of `now` (a date-time value): a run over the whole register classifies every
  // card as of the moment it started.
  int Update(int cardId, bool setYear, DateTimeValue now);

 private:
  std::unique_ptr<ClassificationRead> cells_;
  std::unique_ptr<Statement> read_;
  std::unique_ptr<ClassificationWriter> writer_;
};

// One card, with statements prepared for this call (saving a card).
int UpdateCardClassification(TDataModule1& data, int cardId, bool setYear);
