#include "invalid_egn_cards.h"

#include <QString>

#include "data/card_table.h"
#include "data/data_module.h"
#include "data/firebird/statement.h"
#include "test_card.h"

namespace {
// A card whose holder has `egn`, and a child with a broken number: the view covers holders only.
void AddCard(TDataModule1& data, int regNum, const QString& name, const QString& egn) {
  TestCard(regNum)
      .Set(card_table::kAdress, QStringLiteral("ул. Роза 5"))
      .Set(card_table::kGrupa, 1)
      .Person(name, egn)
      .Person(QStringLiteral("Дете"), QStringLiteral("1"), 3)
      .Insert(data);
}
}  // namespace

void ResetInvalidEgnCards(TDataModule1& data) {
  data.BeginWrite();
  Statement(data.Db(), QStringLiteral("update or insert into USERS (NAME) values ('clerk') matching (NAME)")).Execute();
  Statement(data.Db(), QStringLiteral("delete from RGS_PERSON")).Execute();
  Statement(data.Db(), QStringLiteral("delete from RGS_CARD")).Execute();
  AddCard(data, 1, QStringLiteral("Валиден Титуляр"), QStringLiteral("7501010010"));
  AddCard(data, 2, QStringLiteral("Нули Нулев"), QStringLiteral("0000000000"));
  AddCard(data, 3, QStringLiteral("Девет Цифри"), QStringLiteral("123456789"));
  AddCard(data, 4, QStringLiteral("С Интервал"), QStringLiteral("75010 0010"));
  AddCard(data, 5, QStringLiteral("Грешна Контролна"), QStringLiteral("7501010011"));
  data.Commit();
}
