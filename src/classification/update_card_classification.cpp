// Reading a card with its members in one statement and writing its classification in another.
#include "classification/update_card_classification.h"

#include "classification/card_classification.h"
#include "classification/classification_rows.h"
#include "core/clock.h"
#include "data/data_module.h"
#include "data/firebird/statement.h"

namespace {
// The left join gives the card's own cells even when it has no members, and no row at all
// when there is no such card.
QString ReadSql(const ClassificationRead& cells) {
  namespace card = card_table;
  namespace person = person_table;
  return QStringLiteral("select ") + cells.List() + QStringLiteral(" from ") + card::kTable +
         QStringLiteral(" C left join ") + person::kTable + QStringLiteral(" P on P.") + person::kCardId +
         QStringLiteral(" = C.") + card::kCardId + QStringLiteral(" where C.") + card::kCardId + QStringLiteral(" = ?");
}
}  // namespace

CardClassifier::CardClassifier(Database& database)
    : cells_(std::make_unique<ClassificationRead>(false)),
      read_(std::make_unique<Statement>(database, ReadSql(*cells_))),
      writer_(std::make_unique<ClassificationWriter>(database)) {}

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
        card = cells_->Card(*read_);
      }
      if (std::optional<MemberValues> member = cells_->Member(*read_)) card.members.push_back(std::move(*member));
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
