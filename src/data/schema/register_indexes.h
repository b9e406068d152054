// Indexes a register made by an older version of the program lacks, added when it is opened.
#pragma once

class Database;

// The descending index on the registration number (a new card's number is the highest one
// plus one, read from the index instead of every card). Made in its own transaction when the
// register lacks it; a register this connection may not change (a clerk's rights on a server,
// another workstation holding the table) stays as it is and is asked again at the next
// opening. Call right after attaching, before any other transaction starts.
void AddMissingRegisterIndexes(Database& database);

// The index's name, as the schema makes it.
inline constexpr const char* kRegNumDescendingIndex = "RGS_CARD_REG_NUM_DESC";
