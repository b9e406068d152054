// One cursor over the register's cards and members.
#include "classification/refresh_reader.h"

#include "data/firebird/statement.h"

std::vector<RegisterCard> ReadRegisterCards(Database& database) {
  namespace card = card_table;
  namespace person = person_table;
  const ClassificationRead cells(true, true);
  std::vector<RegisterCard> cards;
  Statement read(database, QStringLiteral("select ") + cells.List() + QStringLiteral(" from ") + card::kTable +
                               QStringLiteral(" C left join ") + person::kTable + QStringLiteral(" P on P.") +
                               person::kCardId + QStringLiteral(" = C.") + card::kCardId +
                               QStringLiteral(" order by C.") + card::kCardId + QStringLiteral(" desc"));
  read.Open();
  while (read.Next()) {
    if (cards.empty() || cards.back().cardId != cells.CardId(read)) cards.push_back(cells.Card(read));
    if (std::optional<MemberValues> member = cells.Member(read)) cards.back().members.push_back(std::move(*member));
  }
  read.Close();
  return cards;
}
