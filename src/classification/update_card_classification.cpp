// Reading a card with its members in one statement and writing its classification in another.
#include "classification/update_card_classification.h"

#include <vector>

#include "classification/card_classification.h"
#include "data/data_module.h"
#include "data/firebird/statement.h"
#include "egn/clock.h"
#include "egn/yes_no_code.h"

namespace {
// The left join gives the card's own cells even when it has no members, and no row at all
// when there is no such card. Only the year of GRUPA_DATE is needed; reading it as a number
// spares a local-time conversion per card.
const QString kReadSql = QStringLiteral(
    "select C.ALONE_PARENT, C.GROUP2, C.POINTS_YEAR, extract(year from C.GRUPA_DATE), "
    "P.PERSON_TYPE, P.EGN, P.INV_PROC, P.INV_DATE "
    "from RGS_CARD C left join RGS_PERSON P on P.CARD_ID = C.CARD_ID where C.CARD_ID = ?");
enum ReadColumn { kAloneParent, kGroup2, kPointsYear, kGrupaDateYear, kPersonType, kEgn, kInvProc, kInvDate };

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

struct CardCells {
  std::optional<int> aloneParent;
  int group2 = 0;
  std::optional<int> pointsYear;
  std::optional<int> grupaDateYear;
};
}  // namespace

CardClassifier::CardClassifier(Database& database)
    : database_(database), read_(std::make_unique<Statement>(database, kReadSql)) {}

CardClassifier::~CardClassifier() = default;

Statement& CardClassifier::WriteStatement(bool withYear, const QString& pointsDescr) {
  std::unique_ptr<Statement>& write = writes_[{withYear, pointsDescr.size()}];
  if (!write) write = std::make_unique<Statement>(database_, withYear ? kWriteWithYearSql : kWriteSql);
  return *write;
}

int CardClassifier::Update(int cardId, bool setYear) {
  return Update(cardId, setYear, DateTimeValueOf(Clock::Now()));
}

int CardClassifier::Update(int cardId, bool setYear, DateTimeValue now) {
  CardCells card;
  std::vector<MemberValues> members;
  bool found = false;
  read_->Bind(0, cardId);
  read_->Open();
  try {
    while (read_->Next()) {
      if (!found) {
        found = true;
        card.aloneParent = OptionalInt(*read_, kAloneParent);
        card.group2 = OptionalInt(*read_, kGroup2).value_or(0);
        card.pointsYear = OptionalInt(*read_, kPointsYear);
        card.grupaDateYear = OptionalInt(*read_, kGrupaDateYear);
      }
      if (read_->IsNull(kPersonType)) continue;  // a card without members
      MemberValues m;
      m.personType = read_->Value(kPersonType).toInt();
      m.egn = read_->IsNull(kEgn) ? QString() : read_->Value(kEgn).toString().trimmed();
      m.invProc = OptionalInt(*read_, kInvProc);
      if (!read_->IsNull(kInvDate)) m.invDate = read_->Value(kInvDate).toString();
      members.push_back(std::move(m));
    }
  } catch (...) {
    read_->Close();
    throw;
  }
  read_->Close();
  if (!found) return 0;

  // May throw on an unreadable disability date: nothing has been written yet.
  const CardClassification c = ClassifyCard(members, card.aloneParent, card.group2, now);
  const std::optional<int> year = setYear ? PointsYearToWrite(card.pointsYear, card.grupaDateYear) : std::nullopt;

  Statement& write = WriteStatement(year.has_value(), c.pointsDescr);
  int i = 0;
  write.Bind(i++, c.kids);
  write.Bind(i++, c.points);
  write.Bind(i++, c.pointsDescr);
  if (year) write.Bind(i++, *year);
  write.Bind(i++, c.kidsAge);
  write.Bind(i++, TruthFlagFromBool(c.onlyParent));
  write.Bind(i++, c.invalids);
  write.Bind(i++, TruthFlagFromBool(c.youngFamily));
  write.Bind(i++, cardId);
  write.Execute();
  return c.points;
}

int UpdateCardClassification(TDataModule1& data, int cardId, bool setYear) {
  CardClassifier classifier(data.Db());
  return classifier.Update(cardId, setYear);
}
