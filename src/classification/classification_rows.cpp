#include "classification/classification_rows.h"


#include "core/yes_no_code.h"
#include "data/firebird/statement.h"

namespace {
namespace card = card_table;

const QString kWriteSql = QStringLiteral(
    "update RGS_CARD set KIDS = ?, POINTS = ?, POINTS_DESCR = ?, KIDS_AGE = ?, ONLY_PARENT = ?, "
    "N_INVALIDS = ?, YOUNG_FAMILY = ? where CARD_ID = ?");
const QString kWriteWithYearSql = QStringLiteral(
    "update RGS_CARD set KIDS = ?, POINTS = ?, POINTS_DESCR = ?, POINTS_YEAR = ?, KIDS_AGE = ?, ONLY_PARENT = ?, "
    "N_INVALIDS = ?, YOUNG_FAMILY = ? where CARD_ID = ?");

CardSelect ClassificationCardCells(bool withCardId, bool withStored) {
  const QLatin1StringView alias("C");
  if (withStored)
    return CardSelect({card::kCardId, card::kAloneParent, card::kGroup2, card::kPointsYear, card::kKids, card::kPoints,
                       card::kPointsDescr, card::kKidsAge, card::kOnlyParent, card::kNInvalids, card::kYoungFamily},
                      alias);
  if (withCardId) return CardSelect({card::kCardId, card::kAloneParent, card::kGroup2, card::kPointsYear}, alias);
  return CardSelect({card::kAloneParent, card::kGroup2, card::kPointsYear}, alias);
}
}  // namespace

bool StoresSameClassification(const StoredClassification& stored, const CardClassification& computed,
                              std::optional<int> storedYear, std::optional<int> year) {
  if (year && storedYear != year) return false;
  return stored.kids == computed.kids && stored.points == computed.points &&
         stored.pointsDescr == computed.pointsDescr && stored.kidsAge == computed.kidsAge &&
         stored.onlyParent == TruthFlagFromBool(computed.onlyParent) && stored.invalids == computed.invalids &&
         stored.youngFamily == TruthFlagFromBool(computed.youngFamily);
}

ClassificationRead::ClassificationRead(bool withCardId, bool withStoredClassification)
    : card_(ClassificationCardCells(withCardId || withStoredClassification, withStoredClassification)),
      cardIdColumn_(card_.IndexOf(card::kCardId)),
      grupaDateYearColumn_(card_.Count()),
      member_({person_table::kPersonType, person_table::kEgn, person_table::kInvProc, person_table::kInvDate},
              QLatin1StringView("P")),
      memberFirst_(grupaDateYearColumn_ + 1),
      list_(card_.List() + QStringLiteral(", extract(year from C.") + card::kGrupaDate + QStringLiteral("), ") +
            member_.List()) {}

int ClassificationRead::CardId(const Statement& row) const { return row.Value(cardIdColumn_).toInt(); }

RegisterCard ClassificationRead::Card(const Statement& row) const {
  const StoredCardRow stored = card_.Read(row);
  RegisterCard card;
  card.cardId = stored.cardId.value_or(0);
  card.aloneParent = stored.aloneParent;
  card.group2 = stored.group2.value_or(0);
  card.pointsYear = stored.pointsYear;
  card.stored = {stored.kids, stored.points, stored.pointsDescr, stored.kidsAge, stored.onlyParent, stored.nInvalids,
                 stored.youngFamily};
  if (!row.IsNull(grupaDateYearColumn_)) card.grupaDateYear = row.Value(grupaDateYearColumn_).toInt();
  return card;
}

std::optional<MemberValues> ClassificationRead::Member(const Statement& row) const {
  const StoredPersonRow stored = member_.Read(row, memberFirst_);
  if (!stored.personType) return std::nullopt;
  MemberValues m;
  m.personType = *stored.personType;
  m.egn = stored.egn ? stored.egn->trimmed() : QString();
  m.invProc = stored.invProc;
  m.invDate = stored.invDate;
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
