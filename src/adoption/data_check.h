// Checking the data of a register being taken over: what it holds and what in it the program
// can live with but a clerk should look at. Nothing is changed.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

class Database;

struct DataCheckSection {
  QString title;      // what the lines are ("Картони без титуляр")
  int count = 0;      // how many there are
  QStringList lines;  // the first of them, one a line
};

struct DataCheck {
  qint64 cards = 0;
  qint64 persons = 0;
  qint64 historyLines = 0;
  std::vector<DataCheckSection> problems;  // only the kinds of which something was found
};

// How many lines a section lists before it says how many more there are.
inline constexpr int kListedProblemLines = 50;

// Counts the cards, members and history lines and looks for duplicate registration numbers,
// members without a card, cards without a holder or with two, personal numbers the rules call
// invalid, code values with no name in their code list and dates after today.
DataCheck CheckRegisterData(Database& database);
