// The register's person table: the one spelling of its name and its column names in the
// program, the select list made of them and the one reader of a fetched person row.
#pragma once

#include <QDateTime>
#include <QString>
#include <initializer_list>
#include <optional>

#include "data/row_select.h"

namespace person_table {
inline constexpr QLatin1StringView kTable{"RGS_PERSON"};
inline constexpr QLatin1StringView kPersonId{"PERSON_ID"};
inline constexpr QLatin1StringView kCardId{"CARD_ID"};
inline constexpr QLatin1StringView kName{"NAME"};
inline constexpr QLatin1StringView kEgn{"EGN"};
inline constexpr QLatin1StringView kPersonType{"PERSON_TYPE"};
inline constexpr QLatin1StringView kSocGroup{"SOCGRUPA"};
inline constexpr QLatin1StringView kNotes{"NOTES"};
inline constexpr QLatin1StringView kInvProc{"INV_PROC"};
inline constexpr QLatin1StringView kInvDate{"INV_DATE"};
inline constexpr QLatin1StringView kTelkNum{"TELK_NUM"};

// Characters the text columns hold, as the schema declares them.
inline constexpr int kNameLength = 100;
inline constexpr int kEgnLength = 10;
inline constexpr int kNotesLength = 200;
inline constexpr int kInvDateLength = 20;
inline constexpr int kTelkNumLength = 40;
}  // namespace person_table

// A fetched person row (a household member). A NULL cell, and a column the select did not
// list, is empty; texts are as stored (a CHAR cell padded with blanks to its width).
struct StoredPersonRow {
  std::optional<int> personId;
  std::optional<int> cardId;
  std::optional<QString> name;
  std::optional<QString> egn;
  std::optional<int> personType;
  std::optional<int> socGroup;
  std::optional<QString> notes;
  std::optional<int> invProc;
  std::optional<QString> invDate;
  std::optional<QString> telkNum;
};

// A select list over the person table and the reader of the rows it fetches.
class PersonSelect : public RowSelect<StoredPersonRow> {
 public:
  // Every column, in the table's order (what "select *" gives).
  explicit PersonSelect(QLatin1StringView alias = {});
  // The given columns of person_table, in this order.
  PersonSelect(std::initializer_list<QLatin1StringView> columns, QLatin1StringView alias = {});
};
