#include "classification/classification_rows.h"

#include "data/firebird/statement.h"
#include "core/yes_no_code.h"

const char* const kClassificationReadColumns =
    "C.ALONE_PARENT, C.GROUP2, C.POINTS_YEAR, extract(year from C.GRUPA_DATE), "
    "P.PERSON_TYPE, P.EGN, P.INV_PROC, P.INV_DATE";

namespace {
enum Offset { kAloneParent, kGroup2, kPointsYear, kGrupaDateYear, kPersonType, kEgn, kInvProc, kInvDate };

const QString kWriteSql = QStringLiteral(
    "update RGS_CARD set KIDS = ?, POINTS = ?, POINTS_DESCR = ?, KIDS_AGE = ?, ONLY_PARENT = ?, "
    "N_INVALIDS = ?, YOUNG_FAMILY = ? where CARD_ID = ?");
const QString kWriteWithYearSql = QStringLiteral(
    "update RGS_CARD set KIDS = ?, POINTS = ?, POINTS_DESCR = ?, POINTS_YEAR = ?, KIDS_AGE = ?, ONLY_PARENT = ?, "
    "N_INVALIDS = ?, YOUNG_FAMILY = ? where CARD_ID = ?");

std::optional<int> OptionalInt(const Statement& s, int column) {
  if (s.IsNull(column)) return std::nullopt;
  return s.Value(column).toInt();
}
}  // namespace

void ReadCardCells(const Statement& row, int first, RegisterCard& card) {
  card.aloneParent = OptionalInt(row, first + kAloneParent);
  card.group2 = OptionalInt(row, first + kGroup2).value_or(0);
  card.pointsYear = OptionalInt(row, first + kPointsYear);
  card.grupaDateYear = OptionalInt(row, first + kGrupaDateYear);
}

std::optional<MemberValues> ReadMember(const Statement& row, int first) {
  if (row.IsNull(first + kPersonType)) return std::nullopt;
  MemberValues m;
  m.personType = row.Value(first + kPersonType).toInt();
  m.egn = row.IsNull(first + kEgn) ? QString() : row.Value(first + kEgn).toString().trimmed();
  m.invProc = OptionalInt(row, first + kInvProc);
  if (!row.IsNull(first + kInvDate)) m.invDate = row.Value(first + kInvDate).toString();
  return m;
}

ClassificationWriter::ClassificationWriter(Database& database) : database_(database) {}

ClassificationWriter::~ClassificationWriter() = default;

void ClassificationWriter::Write(int cardId, const CardClassification& c, std::optional<int> year) {
  std::unique_ptr<Statement>& write = year ? writeWithYear_ : write_;
  if (!write) write = std::make_unique<Statement>(database_, year ? kWriteWithYearSql : kWriteSql);
  int i = 0;
  write->Bind(i++, c.kids);
  write->Bind(i++, c.points);
  write->Bind(i++, c.pointsDescr);
  if (year) write->Bind(i++, *year);
  write->Bind(i++, c.kidsAge);
  write->Bind(i++, TruthFlagFromBool(c.onlyParent));
  write->Bind(i++, c.invalids);
  write->Bind(i++, TruthFlagFromBool(c.youngFamily));
  write->Bind(i++, cardId);
  write->Execute();
}
