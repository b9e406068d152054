#include "data/schema/code_lists.h"

#include "data/firebird/database.h"
#include "data/firebird/statement.h"
#include "data/nom_table.h"
#include "data/register_settings.h"

#include <algorithm>

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

namespace {
struct SettingCells {
  QString municipality;
  QString office;
  QString currency;
};

// Inserts the NOM rows `rows` with the starting lists' names and the settings cells.
void InsertCodeListRows(Database& database, const std::vector<int>& rows, int registrationYears,
                        const SettingCells& settings) {
  const auto& lists = StartingCodeLists();
  QStringList columns;
  for (const CodeList& list : lists) columns << list.column;
  QStringList marks(columns.size() + 3, QStringLiteral("?"));
  Statement insert(database, QStringLiteral("insert into NOM (N,%1,COUNTER,S_INFO) values (%2)")
                                 .arg(columns.join(u','), marks.join(u',')));
  for (int n : rows) {
    int index = 0;
    insert.Bind(index++, n);
    for (const CodeList& list : lists) insert.Bind(index++, n < list.names.size() ? QVariant(list.names[n]) : QVariant());
    insert.Bind(index++, n == nom_settings::kYearsRow ? QVariant(registrationYears) : QVariant());
    // Empty texts are stored as NULL.
    const QString setting = n == nom_settings::kMunicipalityRow ? settings.municipality
                            : n == nom_settings::kOfficeRow     ? settings.office
                            : n == nom_settings::kCurrencyRow   ? settings.currency
                                                                : QString();
    insert.Bind(index++, setting.isEmpty() ? QVariant() : QVariant(setting));
    insert.Execute();
  }
}
}  // namespace

void FillCodeLists(Database& database, const QString& municipality, int registrationYears, const QString& office) {
  InsertCodeListRows(database, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, registrationYears,
                     {municipality, office, QString::fromLatin1(kEuroCurrencyMark)});
}

std::vector<int> AddMissingCodeListRows(Database& database, const std::vector<int>& presentRows,
                                        int registrationYears) {
  std::vector<int> missing;
  for (int n = 0; n < 10; ++n)
    if (std::find(presentRows.begin(), presentRows.end(), n) == presentRows.end()) missing.push_back(n);
  InsertCodeListRows(database, missing, registrationYears, {});
  return missing;
}
