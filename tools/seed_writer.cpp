// Writing synthetic households into a register with two prepared inserts.
#include "seed_writer.h"

#include <QStringList>
#include <climits>

#include "core/clock.h"
#include "data/card_table.h"
#include "data/firebird/database.h"
#include "data/firebird/statement.h"
#include "data/person_table.h"
#include "seed_generator.h"
#include "seed_household.h"

namespace {
QVariant Text(const QString& text) { return text.isEmpty() ? QVariant() : QVariant(text); }
QVariant Day(const QDate& date) { return date.isValid() ? QVariant(date) : QVariant(); }
QVariant Number(const std::optional<int>& value) { return value ? QVariant(*value) : QVariant(); }
}  // namespace

namespace {
// "insert into <table> (A, B, ...) values (?,?,...)": the marks in groups of ten, then " returning ...".
QString InsertSql(QLatin1StringView table, std::initializer_list<QLatin1StringView> columns) {
  QStringList names, groups;
  QString group;
  for (QLatin1StringView column : columns) {
    names << QString(column);
    group += group.isEmpty() ? QStringLiteral("?") : QStringLiteral(",?");
    if (group.size() == 19) groups << group, group.clear();
  }
  if (!group.isEmpty()) groups << group;
  return QStringLiteral("insert into ") + table + QStringLiteral(" (") + names.join(QStringLiteral(", ")) +
         QStringLiteral(") values (") + groups.join(QStringLiteral(", ")) + u')';
}
}  // namespace

// The columns in the order InsertSeedCard binds them.
QString SeedCardInsertSql() {
  using namespace card_table;
  return InsertSql(kTable, {kRegNum,       kRegDate,         kDocIdTxt,      kAdress,      kAdressDate,
                            kLData,        kLConditions,     kLReason,       kReasonComment, kGroup1,
                            kGrupa,        kGrupaDate,       kGroup2,        kKart,        kStatus,
                            kGotHouse,     kAssets,          kDeals,         kHasFirm,     kIncome,
                            kIncomeHalfYear, kIncomePerPerson, kCheckDate,   kCheckName,   kAddUser,
                            kKids,         kKidsOver18,      kKidsAge,       kNInvalids,   kOnlyParent,
                            kYoungFamily,  kAloneParent,     kHardLife,      kPoints,      kPointsDescr,
                            kPointsYear,   kProtId,          kProtDate,      kLastDekId,   kLastDekDate,
                            kYearsNoDeclr, kNastZap,         kNastZapDate,   kNastZapHistory, kNastVidApart,
                            kNastApartAdres, kNastTerm,      kNastBuy,       kNasZapOut,   kNotes}) +
         QStringLiteral(" returning ") + kCardId;
}

QString SeedPersonInsertSql() {
  using namespace person_table;
  return InsertSql(kTable, {kCardId, kName, kEgn, kPersonType, kSocGroup, kNotes, kInvProc, kInvDate, kTelkNum});
}

int InsertSeedCard(Statement& insertCard, Statement& insertPerson, const SeedCard& c) {
  int i = 0;
  auto bind = [&](const QVariant& value) { insertCard.Bind(i++, value); };
  bind(c.regNum);
  bind(c.regDate);
  bind(Text(c.docId));
  bind(c.address);
  bind(Day(c.addressDate));
  bind(c.dwellingKind);
  bind(Text(c.dwellingConditions));
  bind(c.occupancyBasis);
  bind(Text(c.occupancyComment));
  bind(c.group + 1);
  bind(c.group);
  bind(Day(c.groupDate));
  bind(c.subgroup);
  bind(c.registeredFor);
  bind(c.status);
  bind(Text(c.stateInfo));
  bind(Text(c.assets));
  bind(Text(c.deals));
  bind(Text(c.firms));
  bind(c.income);
  bind(c.incomeHalfYear);
  bind(c.incomePerPerson);
  bind(Day(c.checkDate));
  bind(Text(c.checkName));
  bind(QStringLiteral("Default"));
  bind(c.kids);
  bind(c.kidsOver18);
  bind(c.kidsAge);
  bind(c.invalids);
  bind(c.onlyParent);
  bind(c.youngFamily);
  bind(Number(c.aloneParent));
  bind(c.hardLife);
  bind(c.points);
  bind(Text(c.pointsDescription));
  bind(Number(c.pointsYear));
  bind(Text(c.protocolId));
  bind(Day(c.protocolDate));
  bind(Text(c.declarationId));
  bind(Day(c.declarationDate));
  bind(Number(c.yearsWithoutDeclaration));
  bind(Text(c.placementOrder));
  bind(Day(c.placementOrderDate));
  bind(Text(c.placementHistory));
  bind(Number(c.placementKind));
  bind(Text(c.placementAddress));
  bind(Number(c.placementTerm));
  bind(Text(c.purchaseRequest));
  bind(Text(c.placementEndOrder));
  bind(Text(c.notes));
  insertCard.Execute();
  const int cardId = insertCard.Value(0).toInt();

  for (const SeedPerson& p : c.members) {
    insertPerson.BindAll({cardId, p.name, p.egn, p.role, Number(p.socialGroup), Text(p.notes),
                          Number(p.disabilityPercent), Text(p.disabilityUntil), Text(p.decisionNumber)});
    insertPerson.Execute();
  }
  return cardId;
}

QString TownOfMunicipality(const QString& municipality) {
  const QString prefix = QStringLiteral("Община ");
  const QString name = municipality.trimmed();
  if (!name.startsWith(prefix, Qt::CaseInsensitive)) return {};
  return name.mid(prefix.size()).trimmed();
}

SeedSummary SeedRegister(Database& database, const SeedRequest& request, const SeedProgress& progress) {
  Transaction& transaction = database.DefaultTransaction();
  transaction.StartIfNeeded();
  const QString highestSql =
      QStringLiteral("select max(") + card_table::kRegNum + QStringLiteral(") from ") + card_table::kTable;
  const int highest = Statement(database, highestSql).ScalarValue().toInt();
  const QString municipality =
      Statement(database, QStringLiteral("select S_INFO from NOM where N = 0")).ScalarValue().toString();

  if (request.cards < 0 || request.cards > INT_MAX - highest)
    throw ValidationError(QStringLiteral("Регистрационните номера биха надхвърлили %1.").arg(INT_MAX));
  const QDate today = request.today.isValid() ? request.today : Clock::Now().date();
  HouseholdGenerator generator(request.seed, today, TownOfMunicipality(municipality));
  Statement insertCard(database, SeedCardInsertSql());
  Statement insertPerson(database, SeedPersonInsertSql());

  SeedSummary summary;
  summary.firstRegNum = highest + 1;
  summary.town = generator.Town();
  try {
    for (int n = 0; n < request.cards; ++n) {
      const SeedCard card = generator.Next(highest + 1 + n);
      InsertSeedCard(insertCard, insertPerson, card);
      summary.members += static_cast<int>(card.members.size());
      const int written = n + 1;
      if (written == request.cards || (request.commitEvery > 0 && written % request.commitEvery == 0)) {
        transaction.Commit();
        if (progress) progress(written, request.cards);
      }
    }
  } catch (...) {
    try {
      if (transaction.IsActive()) transaction.Rollback();
    } catch (const DbError&) {
      // The first error is the one worth reporting.
    }
    throw;
  }
  summary.cards = request.cards;
  summary.lastRegNum = highest + request.cards;
  return summary;
}
