#include "adoption/data_check.h"

#include <functional>

#include "core/clock.h"
#include "core/egn_rules.h"
#include "core/text_helpers.h"
#include "data/card_table.h"
#include "data/firebird/database.h"
#include "data/firebird/statement.h"
#include "data/person_table.h"

namespace {
qint64 Count(Database& database, const QString& table) {
  Statement count(database, QStringLiteral("select count(*) from %1").arg(table));
  return count.ScalarValue().toLongLong();
}

// A section of the rows `sql` finds, each described by `line` from the row.
void AddSection(Database& database, DataCheck& check, const QString& title, const QString& sql,
                const std::function<QString(const Statement&)>& line,
                const std::function<bool(const Statement&)>& keep = {}) {
  DataCheckSection section;
  section.title = title;
  Statement query(database, sql);
  query.Open();
  while (query.Next()) {
    if (keep && !keep(query)) continue;
    if (++section.count <= kListedProblemLines) section.lines << line(query);
  }
  query.Close();
  if (section.count > kListedProblemLines)
    section.lines << QStringLiteral("… и още %1").arg(section.count - kListedProblemLines);
  if (section.count > 0) check.problems.push_back(section);
}

QString Text(const Statement& row, int column) { return WithoutTrailingBlanks(row.Value(column).toString()); }

struct CodedColumn {
  QString table;
  QString column;
  QString list;  // the NOM column naming its codes
};

const std::vector<CodedColumn>& CodedColumns() {
  using namespace card_table;
  static const std::vector<CodedColumn> columns = {
      {QString(kTable), QString(kGrupa), QStringLiteral("GROUP1")},
      {QString(kTable), QString(kGroup2), QStringLiteral("GROUP2")},
      {QString(kTable), QString(kLData), QStringLiteral("LDATA")},
      {QString(kTable), QString(kLReason), QStringLiteral("LREASON")},
      {QString(kTable), QString(kKart), QStringLiteral("KARTFOR")},
      {QString(kTable), QString(kStatus), QStringLiteral("STATUS")},
      {QString(kTable), QString(kNastVidApart), QStringLiteral("NAST_VID_APART")},
      {QString(kTable), QString(kNastTerm), QStringLiteral("NAST_TERM")},
      {QString(person_table::kTable), QString(person_table::kSocGroup), QStringLiteral("SOCGRUPA")},
  };
  return columns;
}

void CheckCodes(Database& database, DataCheck& check) {
  DataCheckSection section;
  section.title = QStringLiteral("Кодове без име в номенклатурата си");
  for (const CodedColumn& coded : CodedColumns()) {
    Statement query(database, QStringLiteral("select T.%1, count(*) from %2 T where T.%1 is not null and not exists "
                                             "(select 1 from NOM N where N.N = T.%1 and N.N between 0 and 9 and "
                                             "N.%3 is not null) group by T.%1 order by T.%1")
                                  .arg(coded.column, coded.table, coded.list));
    query.Open();
    while (query.Next()) {
      const qint64 rows = query.Value(1).toLongLong();
      section.count += static_cast<int>(rows);
      section.lines << QStringLiteral("%1.%2 = %3 (номенклатура %4), редове: %5")
                           .arg(coded.table, coded.column, query.Value(0).toString(), coded.list)
                           .arg(rows);
    }
  }
  if (section.count > 0) check.problems.push_back(section);
}

void CheckFutureDates(Database& database, DataCheck& check) {
  using namespace card_table;
  const QDate today = Clock::Now().date();
  DataCheckSection section;
  section.title = QStringLiteral("Дати след днешната");
  for (const QLatin1StringView column : {kRegDate, kAdressDate, kGrupaDate, kCheckDate, kProtDate, kLastDekDate,
                                         kNastZapDate}) {
    Statement query(database, QStringLiteral("select %1, %2 from %3 where %2 >= ? order by %1")
                                  .arg(kRegNum, column, kTable));
    query.Bind(0, today.addDays(1).startOfDay());
    query.Open();
    while (query.Next())
      if (++section.count <= kListedProblemLines)
        section.lines << QStringLiteral("Рег. номер %1: %2 = %3")
                             .arg(query.Value(0).toString(), QString(column),
                                  query.Value(1).toDateTime().date().toString(QStringLiteral("dd.MM.yyyy")));
  }
  if (section.count > kListedProblemLines)
    section.lines << QStringLiteral("… и още %1").arg(section.count - kListedProblemLines);
  if (section.count > 0) check.problems.push_back(section);
}
}  // namespace

DataCheck CheckRegisterData(Database& database) {
  using namespace card_table;
  namespace person = person_table;
  database.DefaultTransaction().StartIfNeeded();
  DataCheck check;
  check.cards = Count(database, QString(kTable));
  check.persons = Count(database, QString(person::kTable));
  check.historyLines = Count(database, QStringLiteral("INF_LOG"));

  AddSection(database, check, QStringLiteral("Повторени регистрационни номера"),
             QStringLiteral("select %1, count(*) from %2 group by %1 having count(*) > 1 order by %1").arg(kRegNum, kTable),
             [](const Statement& r) { return QStringLiteral("Рег. номер %1: %2 картона").arg(Text(r, 0), Text(r, 1)); });
  AddSection(database, check, QStringLiteral("Членове без картон"),
             QStringLiteral("select P.%1, P.%2, P.%3 from %4 P where P.%3 is null or not exists "
                            "(select 1 from %5 C where C.%6 = P.%3) order by P.%1")
                 .arg(person::kPersonId, person::kName, person::kCardId, person::kTable, kTable, kCardId),
             [](const Statement& r) {
               return QStringLiteral("%1 (ключ %2, картон %3)")
                   .arg(Text(r, 1), Text(r, 0), r.IsNull(2) ? QStringLiteral("няма") : Text(r, 2));
             });
  const QString holders = QStringLiteral("(select count(*) from %1 P where P.%2 = C.%3 and P.%4 = 0)")
                              .arg(person::kTable, person::kCardId, kCardId, person::kPersonType);
  AddSection(database, check, QStringLiteral("Картони без титуляр (не се виждат в списъка)"),
             QStringLiteral("select C.%1 from %2 C where %3 = 0 order by C.%1").arg(kRegNum, kTable, holders),
             [](const Statement& r) { return QStringLiteral("Рег. номер %1").arg(Text(r, 0)); });
  AddSection(database, check, QStringLiteral("Картони с повече от един титуляр (виждат се в списъка повече пъти)"),
             QStringLiteral("select C.%1, %3 from %2 C where %3 > 1 order by C.%1").arg(kRegNum, kTable, holders),
             [](const Statement& r) { return QStringLiteral("Рег. номер %1: %2 титуляри").arg(Text(r, 0), Text(r, 1)); });
  AddSection(database, check, QStringLiteral("Невалидни ЕГН"),
             QStringLiteral("select P.%1, P.%2, C.%3 from %4 P left join %5 C on C.%6 = P.%7 order by C.%3, P.%1")
                 .arg(person::kEgn, person::kName, kRegNum, person::kTable, kTable, kCardId, person::kCardId),
             [](const Statement& r) {
               return QStringLiteral("Рег. номер %1: %2, ЕГН „%3“")
                   .arg(r.IsNull(2) ? QStringLiteral("-") : Text(r, 2), Text(r, 1), Text(r, 0));
             },
             [](const Statement& r) {
               const QString egn = Text(r, 0);
               return !EGNIsValid(egn) || EGNDateAfterYears(egn, 0) == 0;
             });
  CheckCodes(database, check);
  CheckFutureDates(database, check);
  return check;
}
