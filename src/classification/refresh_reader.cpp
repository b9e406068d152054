// One cursor over the register's cards and members.
#include "classification/refresh_reader.h"

#include "data/firebird/statement.h"

std::vector<RegisterCard> ReadRegisterCards(Database& database) {
  std::vector<RegisterCard> cards;
  Statement read(database, QStringLiteral("select C.CARD_ID, ") + QLatin1String(kClassificationReadColumns) +
                               QStringLiteral(" from RGS_CARD C left join RGS_PERSON P on P.CARD_ID = C.CARD_ID "
                                              "order by C.CARD_ID desc"));
  read.Open();
  while (read.Next()) {
    const int cardId = read.Value(0).toInt();
    if (cards.empty() || cards.back().cardId != cardId) {
      RegisterCard card;
      card.cardId = cardId;
      ReadCardCells(read, 1, card);
      cards.push_back(std::move(card));
    }
    if (std::optional<MemberValues> member = ReadMember(read, 1)) cards.back().members.push_back(std::move(*member));
  }
  read.Close();
  return cards;
}
