#include "export_cards.h"

#include <QDate>

#include "data/card_table.h"
#include "test_card.h"

void InsertExportCard(TDataModule1& data, int regNum, const QString& name, const QString& egn) {
  TestCard(regNum)
      .Set(card_table::kRegDate, QDate(2021, 3, 15))
      .Set(card_table::kAdress, QStringLiteral("ул. Липа 1"))
      .Set(card_table::kGroup1, 1)
      .Set(card_table::kGrupa, 1)
      .Set(card_table::kHardLife, 0)
      .Set(card_table::kAddUser, QStringLiteral("clerk"))
      .Person(name, egn)
      .Insert(data);
}
