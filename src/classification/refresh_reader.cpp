// One cursor over the register's cards and members; the classification writes.
#include "classification/refresh_reader.h"

#include "data/firebird/statement.h"
#include "egn/yes_no_code.h"

namespace {
const QString kReadSql = QStringLiteral(
    "select C.CARD_ID, C.ALONE_PARENT, C.GROUP2, C.POINTS_YEAR, extract(year from C.GRUPA_DATE), "
    "P.PERSON_TYPE, P.EGN, P.INV_PROC, P.INV_DATE "
    "from RGS_CARD C left join RGS_PERSON P on P.CARD_ID = C.CARD_ID order by C.CARD_ID desc");
enum ReadColumn { kCardId, kAloneParent, kGroup2, kPointsYear, kGrupaDateYear, kPersonType, kEgn, kInvProc, kInvDate };

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

std::vector<RegisterCard> ReadRegisterCards(Database& database) {
  std::vector<RegisterCard> cards;
  Statement read(database, kReadSql);
  read.Open();
  while (read.Next()) {
    const int cardId = read.Value(kCardId).toInt();
    if (cards.empty() || cards.back().cardId != cardId) {
      RegisterCard card;
      card.cardId = cardId;
      card.aloneParent = OptionalInt(read, kAloneParent);
      card.group2 = OptionalInt(read, kGroup2).value_or(0);
      card.pointsYear = OptionalInt(read, kPointsYear);
      card.grupaDateYear = OptionalInt(read, kGrupaDateYear);
      cards.push_back(std::move(card));
    }
    if (read.IsNull(kPersonType)) continue;  // a card without members
    MemberValues m;
    m.personType = read.Value(kPersonType).toInt();
    m.egn = read.IsNull(kEgn) ? QString() : read.Value(kEgn).toString().trimmed();
    m.invProc = OptionalInt(read, kInvProc);
    if (!read.IsNull(kInvDate)) m.invDate = read.Value(kInvDate).toString();
    cards.back().members.push_back(std::move(m));
  }
  read.Close();
  return cards;
}

ClassificationWriter::ClassificationWriter(Database& database) : database_(database) {}

ClassificationWriter::~ClassificationWriter() = default;

void ClassificationWriter::Write(int cardId, const CardClassification& c, std::optional<int> year) {
  // A statement builds its parameter layout anew for a text of another length; one statement
  // per length of the description keeps every layout.
  std::unique_ptr<Statement>& write = writes_[{year.has_value(), c.pointsDescr.size()}];
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
