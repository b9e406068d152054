// Reading the whole register for the refresh in one pass: every card's own cells with its
// members, newest card first.
#pragma once

#include <vector>

#include "classification/classification_rows.h"

class Database;

// Every card with its members and its stored classification, in descending CARD_ID order (the
// newest first).
std::vector<RegisterCard> ReadRegisterCards(Database& database);
