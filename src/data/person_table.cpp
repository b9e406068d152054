// The person table's cells: which member of the row struct each column is read into.
#include "data/person_table.h"

using namespace person_table;

namespace {
const std::vector<RowSelect<StoredPersonRow>::Cell>& Cells() {
  // In the table's order.
  static const std::vector<RowSelect<StoredPersonRow>::Cell> cells = {
      {kPersonId, [](const Statement& s, int i, StoredPersonRow& r) { r.personId = row_cells::Int(s, i); }},
      {kCardId, [](const Statement& s, int i, StoredPersonRow& r) { r.cardId = row_cells::Int(s, i); }},
      {kName, [](const Statement& s, int i, StoredPersonRow& r) { r.name = row_cells::Text(s, i); }},
      {kEgn, [](const Statement& s, int i, StoredPersonRow& r) { r.egn = row_cells::Text(s, i); }},
      {kPersonType, [](const Statement& s, int i, StoredPersonRow& r) { r.personType = row_cells::Int(s, i); }},
      {kSocGroup, [](const Statement& s, int i, StoredPersonRow& r) { r.socGroup = row_cells::Int(s, i); }},
      {kNotes, [](const Statement& s, int i, StoredPersonRow& r) { r.notes = row_cells::Text(s, i); }},
      {kInvProc, [](const Statement& s, int i, StoredPersonRow& r) { r.invProc = row_cells::Int(s, i); }},
      {kInvDate, [](const Statement& s, int i, StoredPersonRow& r) { r.invDate = row_cells::Text(s, i); }},
      {kTelkNum, [](const Statement& s, int i, StoredPersonRow& r) { r.telkNum = row_cells::Text(s, i); }},
  };
  return cells;
}
}  // namespace

PersonSelect::PersonSelect(QLatin1StringView alias) : RowSelect(Cells(), alias) {}

PersonSelect::PersonSelect(std::initializer_list<QLatin1StringView> columns, QLatin1StringView alias)
    : RowSelect(Cells(), columns, alias) {}
