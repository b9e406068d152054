// Building one plausible household: composition, names, personal numbers and the card's data.
// At most one draw from the generator per full expression (or chained calls, which C++17
// sequences): the order of unsequenced draws would differ between compilers.
#include "seed_generator.h"

#include <cmath>

#include "seed_card_figures.h"
#include "seed_egn.h"
#include "seed_names.h"

namespace {
QString Dmy(const QDate& date) { return date.toString(QStringLiteral("dd.MM.yyyy")); }

double Cents(double value) { return std::round(value * 100.0) / 100.0; }

QDate Earlier(const QDate& a, const QDate& b) { return a < b ? a : b; }
QDate Later(const QDate& a, const QDate& b) { return a < b ? b : a; }

const QStringList kConditions = {QStringLiteral("Една стая, общ санитарен възел"),
                                 QStringLiteral("Влажно, без отопление"),
                                 QStringLiteral("Живеят три семейства в двустаен апартамент"),
                                 QStringLiteral("Сутеренно помещение без прозорци"),
                                 QStringLiteral("Пренаселено жилище"),
                                 QStringLiteral("Порутена сграда, без канализация")};
const QStringList kNotes = {QStringLiteral("Многодетно семейство."),
                            QStringLiteral("Представени са всички документи."),
                            QStringLiteral("Чака решение на комисията."),
                            QStringLiteral("Живеят в едно помещение с родителите."),
                            QStringLiteral("Лицето е с трайно намалена работоспособност."),
                            QStringLiteral("Подадено е заявление за промяна на обстоятелствата."),
                            QStringLiteral("Проверката на място потвърждава данните от заявлението.")};
const QStringList kEntrances = {QStringLiteral("А"), QStringLiteral("Б"), QStringLiteral("В"), QStringLiteral("Г")};
}  // namespace

HouseholdGenerator::HouseholdGenerator(std::uint64_t seed, const QDate& today, const QString& town)
    : random_(seed), today_(today), town_(town) {
  if (town_.isEmpty()) town_ = random_.Pick(Towns());
}

QDate HouseholdGenerator::BirthForAge(int years) { return today_.addYears(-years).addDays(-random_.Below(365)); }

QString HouseholdGenerator::Address() {
  const QString town = QStringLiteral("гр. ") + town_;
  switch (random_.Below(3)) {
    case 0:
      return QStringLiteral("%1, ж.к. %2, бл. %3, вх. %4, ет. %5, ап. %6")
          .arg(town, random_.Pick(HousingEstates()))
          .arg(random_.Between(1, 320))
          .arg(kEntrances[random_.Below(4)])
          .arg(random_.Between(1, 14))
          .arg(random_.Between(1, 90));
    case 1:
      return QStringLiteral("%1, ул. %2 № %3, ет. %4, ап. %5")
          .arg(town, random_.Pick(Streets()))
          .arg(random_.Between(1, 180))
          .arg(random_.Between(1, 8))
          .arg(random_.Between(1, 30));
    default:
      return QStringLiteral("%1, ул. %2 № %3").arg(town, random_.Pick(Streets())).arg(random_.Between(1, 180));
  }
}

SeedPerson HouseholdGenerator::MakePerson(int role, bool male, const QDate& birth, const QString& first,
                                          const QString& father, const QString& family) {
  SeedPerson p;
  p.role = role;
  p.name = first + u' ' + (male ? father : FemaleForm(father)) + u' ' + (male ? family : FemaleForm(family));
  p.egn = MakeEgn(birth, male, random_);
  return p;
}

void HouseholdGenerator::AddDisability(SeedPerson& person, int age) {
  const int chance = age >= 60 ? 15 : (age >= 18 ? 6 : 3);
  if (!random_.Percent(chance)) return;
  person.disabilityPercent = random_.Between(50, 100);
  const QDate decided = today_.addDays(-random_.Between(0, 3 * 365));
  // A lifelong decision is kept as a validity date thousands of years ahead.
  const QDate until = random_.Percent(25) ? decided.addYears(3000) : decided.addYears(random_.Between(1, 3));
  person.disabilityUntil = Dmy(until);
  person.decisionNumber = random_.Percent(70)
                              ? QStringLiteral("Решение № %1 от %2").arg(random_.Between(100, 9999)).arg(Dmy(decided))
                              : QStringLiteral("ЕР на ТЕЛК № %1/%2")
                                    .arg(random_.Between(1, 2999), 4, 10, QLatin1Char('0'))
                                    .arg(decided.year());
  if (random_.Percent(80)) person.socialGroup = 3;
}

void HouseholdGenerator::FinishPerson(SeedPerson& person, int age) {
  if (person.role == 5) return;  // nothing is known of a child not yet born
  if (age < 18)
    person.socialGroup = (age >= 7 && random_.Percent(30)) ? 4 : 5;
  else if (age <= 25)
    person.socialGroup = random_.Weighted({40, 20, 0, 0, 40});
  else if (age >= 63)
    person.socialGroup = random_.Percent(85) ? 2 : 0;
  else
    person.socialGroup = random_.Percent(65) ? 0 : 1;
  if (age >= 18 && random_.Percent(2)) person.notes = QStringLiteral("Временно в чужбина");
  AddDisability(person, age);
}

SeedCard HouseholdGenerator::Next(int regNum) {
  const int index = made_++;
  SeedCard card;
  card.regNum = regNum;

  const int size = 1 + random_.Weighted({22, 24, 24, 16, 9, 5});
  int freePlaces = size - 1;
  const bool hasSpouse = freePlaces > 0 && random_.Percent(60);
  if (hasSpouse) --freePlaces;
  const bool expecting = freePlaces > 0 && random_.Percent(6);
  if (expecting) --freePlaces;
  int others = 0, children = 0;
  for (int i = 0; i < freePlaces; ++i) (random_.Percent(12) ? others : children)++;

  const bool holderMale = random_.Percent(50);
  const int holderAge = (children > 0 || expecting) ? random_.Between(20, 56) : random_.Between(19, 86);
  QDate holderBirth = BirthForAge(holderAge);
  // Now and then a clerk keyed the 1800s month code: the number is valid, the century is not.
  if (random_.Below(300) == 0) holderBirth = holderBirth.addYears(-100);

  const QString family = random_.Pick(FamilyNames());
  const MaleName& holderMaleName = random_.Pick(MaleNames());
  const QString holderFirst = holderMale ? holderMaleName.first : random_.Pick(FemaleFirstNames());
  SeedPerson holder = MakePerson(0, holderMale, holderBirth, holderFirst, random_.Pick(MaleNames()).patronymic, family);
  if (index % kBrokenHolderEvery == kBrokenHolderAt) holder.egn = MakeBrokenEgn(holderBirth, holderMale, random_);
  FinishPerson(holder, holderAge);
  card.members.push_back(holder);
  QString fatherPatronymic = holderMale ? holderMaleName.patronymic : QString();

  if (hasSpouse) {
    const bool spouseMale = !holderMale;
    const int age = qMax(18, holderAge + random_.Between(-6, 6));
    const MaleName& maleName = random_.Pick(MaleNames());
    const QString first = spouseMale ? maleName.first : random_.Pick(FemaleFirstNames());
    const QString spouseFamily = random_.Percent(80) ? family : random_.Pick(FamilyNames());
    const QDate birth = BirthForAge(age);
    const QString father = random_.Pick(MaleNames()).patronymic;
    SeedPerson spouse = MakePerson(spouseMale ? 1 : 2, spouseMale, birth, first, father, spouseFamily);
    FinishPerson(spouse, age);
    card.members.push_back(spouse);
    if (spouseMale) fatherPatronymic = maleName.patronymic;
  }
  if (fatherPatronymic.isEmpty()) fatherPatronymic = random_.Pick(MaleNames()).patronymic;

  for (int i = 0; i < children; ++i) {
    const bool male = random_.Percent(51);
    const int oldest = qMax(0, holderAge - 18);
    // Mostly minors; some grown-up children still live with their parents.
    const int age = (oldest < 18 || random_.Percent(85)) ? random_.Between(0, qMin(17, oldest))
                                                         : random_.Between(18, qMin(35, oldest));
    const QString first = male ? random_.Pick(MaleNames()).first : random_.Pick(FemaleFirstNames());
    SeedPerson child = MakePerson(3, male, BirthForAge(age), first, fatherPatronymic, family);
    FinishPerson(child, age);
    card.members.push_back(child);
  }
  for (int i = 0; i < others; ++i) {
    const bool male = random_.Percent(40);
    // A parent of the holder, or a brother or sister.
    const int age = random_.Percent(50) ? qMin(98, holderAge + random_.Between(19, 32))
                                        : qMax(18, holderAge + random_.Between(-8, 8));
    QDate birth = BirthForAge(age);
    if (random_.Below(100) == 0) birth = birth.addYears(-100);
    const QString first = male ? random_.Pick(MaleNames()).first : random_.Pick(FemaleFirstNames());
    SeedPerson other = MakePerson(4, male, birth, first, random_.Pick(MaleNames()).patronymic, family);
    FinishPerson(other, age);
    card.members.push_back(other);
  }
  if (expecting) {
    // The child is not born yet: the clerk keys a number made up from the expected date.
    const bool male = random_.Percent(50);
    const QString first = male ? random_.Pick(MaleNames()).first : random_.Pick(FemaleFirstNames());
    card.members.push_back(
        MakePerson(5, male, today_.addDays(random_.Between(20, 240)), first, fatherPatronymic, family));
  }

  int adults = 0;
  for (const SeedPerson& p : card.members)
    if (p.role < 3) ++adults;
  FillCardData(card, holderBirth.addYears(holderBirth.year() < 1900 ? 100 : 0), adults);
  FillClassificationFigures(card, today_);
  return card;
}

void HouseholdGenerator::FillCardData(SeedCard& card, const QDate& holderBirth, int adults) {
  const int size = static_cast<int>(card.members.size());
  int children = 0;
  for (const SeedPerson& p : card.members)
    if (p.role == 3 || p.role == 5) ++children;

  // Registered at some point in the last twenty years, once the holder was of age.
  card.regDate = Later(today_.addDays(-random_.Between(10, 20 * 365)), Earlier(holderBirth.addYears(18), today_));
  card.docId = QStringLiteral("ЖН-%1/%2").arg(random_.Between(1, 9999)).arg(Dmy(card.regDate));
  card.address = Address();
  // Most households have the required years of address registration; a few do not.
  const int addressDays = random_.Percent(92) ? random_.Between(5 * 365 + 2, 30 * 365) : random_.Between(30, 4 * 365);
  card.addressDate = Later(card.regDate.addDays(-addressDays), holderBirth);
  card.dwellingKind = random_.Weighted({10, 5, 3, 30, 52});
  if (random_.Percent(40)) card.dwellingConditions = kConditions[random_.Below(kConditions.size())];
  card.occupancyBasis = random_.Weighted({10, 45, 25, 5, 10, 5});
  if (card.occupancyBasis == 5) card.occupancyComment = QStringLiteral("Живеят при роднини без договор");
  card.group = random_.Weighted({30, 10, 25, 10, 25});
  card.groupDate = Earlier(card.regDate.addDays(random_.Between(0, 120)), today_);
  card.subgroup = random_.Weighted({50, 10, 10, 10, 10, 10});
  card.registeredFor = random_.Weighted({10, 75, 10, 5});
  card.status = random_.Weighted({18, 60, 8, 7, 7});
  if (card.status == 3)
    card.stateInfo = random_.Percent(50) ? QStringLiteral("Изключен по собствено желание")
                                         : QStringLiteral("Изключен: придобил жилище");
  if (card.status == 4) card.stateInfo = QStringLiteral("Настанен в общинско жилище");
  if (random_.Percent(90))
    card.assets = random_.Percent(85) ? QStringLiteral("Няма") : QStringLiteral("1/6 ид. ч. от къща в село");
  if (random_.Percent(80)) card.deals = QStringLiteral("Няма");
  if (random_.Percent(90)) card.firms = random_.Percent(95) ? QStringLiteral("Не") : QStringLiteral("Съдружник в ЕООД");

  const double earned = adults * random_.Between(300000, 1500000) / 100.0;
  const double benefits = children * random_.Between(0, 120000) / 100.0;
  card.income = Cents(earned + benefits);
  card.incomeHalfYear = Cents(card.income / 2);
  card.incomePerPerson = Cents(card.income / size);
  if (random_.Percent(40)) {
    card.checkDate = Earlier(card.regDate.addDays(random_.Between(5, 60)), today_);
    const QString first = random_.Pick(FemaleFirstNames());
    card.checkName = first + u' ' + FemaleForm(random_.Pick(FamilyNames()));
  }

  if (adults == 1 && children > 0)
    card.aloneParent = random_.Percent(70) ? 2 : 1;
  else if (random_.Percent(85))
    card.aloneParent = 1;
  card.hardLife = random_.Percent(20) ? -1 : 0;
  if (card.status == 1)
    card.pointsYear = card.groupDate.year() + 1;
  else if (card.status != 0 && random_.Percent(50))
    card.pointsYear = card.groupDate.year() + 1;
  else if (random_.Percent(50))
    card.pointsYear = 0;

  if (random_.Percent(60)) {
    card.protocolId = QStringLiteral("Протокол № %1").arg(random_.Between(1, 60));
    card.protocolDate = Earlier(card.regDate.addDays(random_.Between(20, 90)), today_);
  }
  if (random_.Percent(70)) {
    card.declarationId = QStringLiteral("Д-%1").arg(random_.Between(1, 99999));
    card.declarationDate =
        card.regDate.addDays(random_.Below(qMax(1, static_cast<int>(card.regDate.daysTo(today_)) + 1)));
    card.yearsWithoutDeclaration = static_cast<int>(card.declarationDate.daysTo(today_) / 365);
  }
  if (card.status == 4) {
    card.placementOrderDate =
        card.groupDate.addDays(random_.Below(qMax(1, static_cast<int>(card.groupDate.daysTo(today_)) + 1)));
    card.placementOrder = QStringLiteral("РД-09-%1").arg(random_.Between(100, 2999));
    card.placementHistory = QStringLiteral("Заповед № %1 от %2").arg(card.placementOrder, Dmy(card.placementOrderDate));
    if (random_.Percent(20))
      card.placementHistory += QStringLiteral("\r\nПродължена със заповед № РД-09-%1").arg(random_.Between(100, 2999));
    card.placementKind = random_.Between(1, 3);
    card.placementAddress = Address();
    card.placementTerm = random_.Between(1, 5);
    if (random_.Percent(10)) card.purchaseRequest = QStringLiteral("Подадено искане за закупуване");
  }
  if (random_.Percent(15)) {
    card.notes = kNotes[random_.Below(kNotes.size())];
    if (random_.Percent(30)) card.notes += QStringLiteral("\r\n") + kNotes[random_.Below(kNotes.size())];
  }
}
