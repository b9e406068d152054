#include "data/schema/code_lists.h"

#include "data/firebird/database.h"
#include "data/firebird/statement.h"

const std::vector<CodeList>& StartingCodeLists() {
  // Group names begin with the group's number, which the ranking record reads.
  // Subgroup 0 means "no subgroup" (it gives no points), so it is named so.
  // States: 1 takes part in the annual list; codes below 3 count as open cards.
  static const std::vector<CodeList> lists = {
      {QStringLiteral("GROUP1"),
       {QStringLiteral("1.възстановяване на бивш. собств."), QStringLiteral("2.засегнати от ново строителство"),
        QStringLiteral("3.не заемащи жил. площ поне 1г."), QStringLiteral("4.свободно договаряне"),
        QStringLiteral("5.недостатъчна жил. площ")}},
      {QStringLiteral("GROUP2"),
       {QStringLiteral("Без подгрупа"), QStringLiteral("1.възстановяване на бивш. собств."),
        QStringLiteral("2.засегнати от ново строителство"), QStringLiteral("3.не заемащи жил. площ поне 1г."),
        QStringLiteral("4.свободно договаряне"), QStringLiteral("5.недостатъчна жил. площ")}},
      {QStringLiteral("GRUPA"),
       {QStringLiteral("Гр.1"), QStringLiteral("Гр.2"), QStringLiteral("Гр.3"), QStringLiteral("Гр.4"),
        QStringLiteral("Гр.5")}},
      {QStringLiteral("LDATA"),
       {QStringLiteral("0.Няма данни"), QStringLiteral("1.Нежил. помещ."), QStringLiteral("2.Вила"),
        QStringLiteral("3.Къща"), QStringLiteral("4.Апартамент")}},
      {QStringLiteral("LREASON"),
       {QStringLiteral("0.Няма данни"), QStringLiteral("1.Свободен наем"), QStringLiteral("2.При родители"),
        QStringLiteral("3.Вед. жилище"), QStringLiteral("4.Общ. жилище"), QStringLiteral("5.Други(в бележките)")}},
      {QStringLiteral("KARTFOR"),
       {QStringLiteral("Няма данни"), QStringLiteral("Наемане на общинско жилище"),
        QStringLiteral("Наемане на резервно жилище"), QStringLiteral("Закупуване на общинско жилище")}},
      {QStringLiteral("SOCGRUPA"),
       {QStringLiteral("Работещ"), QStringLiteral("Безработен"), QStringLiteral("Пенсионер"),
        QStringLiteral("С увреждане (ТЕЛК/НЕЛК)"), QStringLiteral("Учащ"), QStringLiteral("Дете")}},
      {QStringLiteral("STATUS"),
       {QStringLiteral("Картотекиран"), QStringLiteral("Включен в списъка"), QStringLiteral("Отложен"),
        QStringLiteral("Изключен от списъка"), QStringLiteral("Получил жилище")}},
      {QStringLiteral("NAST_VID_APART"),
       {QStringLiteral("Няма данни"), QStringLiteral("Общинско жилище"), QStringLiteral("Резервно жилище"),
        QStringLiteral("Ведомствено жилище")}},
      {QStringLiteral("NAST_TERM"),
       {QStringLiteral("Няма данни"), QStringLiteral("1 година"), QStringLiteral("2 години"),
        QStringLiteral("3 години"), QStringLiteral("5 години"), QStringLiteral("Безсрочно")}},
  };
  return lists;
}

void FillCodeLists(Database& database, const QString& municipality, int registrationYears, const QString& office) {
  const auto& lists = StartingCodeLists();
  QStringList columns;
  for (const CodeList& list : lists) columns << list.column;
  QStringList marks(columns.size() + 3, QStringLiteral("?"));
  Statement insert(database, QStringLiteral("insert into NOM (N,%1,COUNTER,S_INFO) values (%2)")
                                 .arg(columns.join(u','), marks.join(u',')));
  for (int n = 0; n < 10; ++n) {
    int index = 0;
    insert.Bind(index++, n);
    for (const CodeList& list : lists) insert.Bind(index++, n < list.names.size() ? QVariant(list.names[n]) : QVariant());
    insert.Bind(index++, n == 3 ? QVariant(registrationYears) : QVariant());
    // Empty texts are stored as NULL.
    const QString setting = n == 0 ? municipality : n == 1 ? office : QString();
    insert.Bind(index++, setting.isEmpty() ? QVariant() : QVariant(setting));
    insert.Execute();
  }
}
