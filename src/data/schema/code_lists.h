// The starting code lists of a new register (rows 0..9 of NOM) and its two settings cells.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

class Database;

struct CodeList {
  QString column;      // the NOM column
  QStringList names;   // name of code 0, 1, 2, ...
};

// Every starting list, in the order of NOM's columns.
const std::vector<CodeList>& StartingCodeLists();

// Writes rows 0..9 of NOM: the lists, the municipality in S_INFO of row 0, the issuing office
// (when given) in S_INFO of row 1, the years in COUNTER of row 3 and, since a new register
// holds its amounts in euro from the start, the euro mark in S_INFO of row 4.
void FillCodeLists(Database& database, const QString& municipality, int registrationYears,
                   const QString& office = QString());

// Writes those of rows 0..9 of NOM that `presentRows` lacks, with the starting lists' names and
// the years in row 3, but no municipality, office or currency mark: an older register's
// amounts stay in leva until they are converted. Gives the rows written.
std::vector<int> AddMissingCodeListRows(Database& database, const std::vector<int>& presentRows,
                                        int registrationYears);
