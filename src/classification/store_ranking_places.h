// Storing each ranked card's place: CLASSINFO takes the place record, SYS_NOTES collects it
// (after a carriage return when the notes do not already end in a line break).
#pragma once

#include <QString>

class TDataModule1;
class RankingProgress;

// Walks the ranked list (the register list in its ranking state) in its order, place 1
// first, writes every card's record and commits; then reopens the ranked list. When a card
// stops the run (e.g. a group name that does not begin with a digit) no place of the run is
// kept (the transaction is rolled back), the progress ends, the list is reopened and the
// error goes on to the caller. Returns the number of places stored.
int StoreRankingPlaces(TDataModule1& data, RankingProgress& progress);

// The statement that stores one card's place: parameters place record, place record, REG_NUM.
QString RankingPlaceStoreSql();
