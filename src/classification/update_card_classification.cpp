// Reading a card with its members in one statement and writing its classification in another.
#include "classification/update_card_classification.h"

#include "classification/card_classification.h"
#include "classification/classification_rows.h"
#include "data/data_module.h"
#include "data/firebird/statement.h"
#include "core/clock.h"

namespace {
// The left join gives the card's own cells even when it has no members, and no row at all
// when there is no such card.
QString ReadSql() {
  return QStringLiteral("select ") + QLatin1String(kClassificationReadColumns) +
         QStringLiteral(" from RGS_CARD C left join RGS_PERSON P on P.CARD_ID = C.CARD_ID where C.CARD_ID = ?");
}
}  // namespace

CardClassifier::CardClassifier(Database& database)
    : read_(std::make_unique<Statement>(database, ReadSql())), writer_(std::make_unique<ClassificationWriter>(database)) {}

CardClassifier::~CardClassifier() = default;

int CardClassifier::Update(int cardId, bool setYear) {
  return Update(cardId, setYear, DateTimeValueOf(Clock::Now()));
}

int CardClassifier::Update(int cardId, bool setYear, DateTimeValue now) {
  RegisterCard card;
  bool found = false;
  read_->Bind(0, cardId);
  read_->Open();
  try {
    while (read_->Next()) {
      if (!found) {
        found = true;
        ReadCardCells(*read_, 0, card);
      }
      if (std::optional<MemberValues> member = ReadMember(*read_, 0)) card.members.push_back(std::move(*member));
    }
  } catch (...) {
    read_->Close();
    throw;
  }
  read_->Close();
  if (!found) return 0;

  // May throw on an unreadable disability date: nothing has been written yet.
  const CardClassification c = ClassifyCard(card.members, card.aloneParent, card.group2, now);
  writer_->Write(cardId, c, setYear ? PointsYearToWrite(card.pointsYear, card.grupaDateYear) : std::nullopt);
  return c.points;
}

int UpdateCardClassification(TDataModule1& data, int cardId, bool setYear) {
  CardClassifier classifier(data.Db());
  return classifier.Update(cardId, setYear);
}
