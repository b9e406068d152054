// The refresh loop over the whole register.
#include "classification/refresh_classifications.h"

#include <vector>

#include "classification/ranking_failure.h"
#include "classification/ranking_progress.h"
#include "classification/refresh_reader.h"
#include "core/clock.h"
#include "data/data_module.h"

int RefreshAllClassifications(TDataModule1& data, RankingProgress& progress) {
  progress.Begin(QStringLiteral("Попълване на данните"), 140);
  data.MainQuery().Close();
  int n = 0;
  try {
    data.BeginWrite();
    // The whole register in one reading, then one write per card: the same result as
    // UpdateCardClassification(card, true) for every card, newest first.
    const std::vector<RegisterCard> cards = ReadRegisterCards(data.Db());
    ClassificationWriter writer(data.Db());
    // Every card is classified as of the moment the run started.
    const DateTimeValue now = DateTimeValueOf(Clock::Now());
    n = static_cast<int>(cards.size());
    for (int i = 1; i <= n; ++i) {
      progress.Step(i, n);
      const RegisterCard& card = cards[static_cast<size_t>(i - 1)];
      // An unreadable disability date throws here, before this card is written.
      const CardClassification c = ClassifyCard(card.members, card.aloneParent, card.group2, now);
      const std::optional<int> year = PointsYearToWrite(card.pointsYear, card.grupaDateYear);
      // A card whose classification stands as stored is not written: a new record version of
      // every card would have to be cleaned up again by the next reading of the register.
      if (!StoresSameClassification(card.stored, c, card.pointsYear, year)) writer.Write(card.cardId, c, year);
    }
    data.Commit();
  } catch (...) {
    EndFailedRankingRun(data, progress);
    throw;
  }
  progress.End();
  return n;
}
