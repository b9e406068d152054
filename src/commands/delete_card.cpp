// The delete-card command of the main window.
#include "commands/delete_card.h"

#include "core/messages.h"
#include "data/data_module.h"
#include "data/firebird/statement.h"

bool DelClick(TDataModule1& data, QWidget* parent) {
  ListQuery& list = data.MainQuery();
  if (!list.IsOpen() || list.CurrentRow() < 0) return false;
  const QString regNum = list.CurrentValue(QStringLiteral("REG_NUM")).toString();
  if (!AskYesNo(parent,
                QStringLiteral("Сигутни ли сте, че искате да изтриете рег. картон с рег.номер ") + regNum +
                    QStringLiteral(" ?"),
                QStringLiteral("Закриване"), false))
    return false;

  const int cardId = list.CurrentValue(QStringLiteral("CARD_ID")).toInt();
  list.Close();
  try {
    Statement members(data.Db(), QStringLiteral("delete from RGS_PERSON where CARD_ID = ?"));
    members.Bind(0, cardId);
    members.Execute();
    Statement card(data.Db(), QStringLiteral("delete from RGS_CARD where CARD_ID = ?"));
    card.Bind(0, cardId);
    card.Execute();
  } catch (...) {
    // Members deleted before the card was refused (the server's rights, another workstation's
    // lock) must not be committed with the next change.
    try {
      data.Rollback();
    } catch (...) {
    }
    // The window keeps a list to show while the error is reported.
    try {
      list.Open();
    } catch (...) {
    }
    throw;
  }
  list.Open();
  return true;
}
