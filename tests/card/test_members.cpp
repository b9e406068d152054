// The household-member rules without a window: roles, counts, the add / modify / remove /
// make-holder commands, duplicate personal numbers against the grid and the register, and
// reading a card's stored members.
#include <QtTest>

#include "card/members.h"
#include "core/clock.h"
#include "core/egn_rules.h"
#include "data/card_table.h"
#include "data/data_module.h"
#include "data/firebird/statement.h"
#include "temp_register.h"
#include "test_card.h"
#include "test_egn.h"

Q_DECLARE_METATYPE(std::vector<MemberRow>)

namespace {

const QString kHolderEgn = EgnBornOn(QDate(1975, 1, 1), 1);
const QString kWifeEgn = EgnBornOn(QDate(1976, 2, 2), 2);
const QString kChildEgn = EgnBornOn(QDate(2010, 3, 3), 3);
const QString kOtherEgn = EgnBornOn(QDate(1950, 4, 4), 4);

MemberRow Row(const QString& type, const QString& name, const QString& egn) { return {type, name, egn, {}, {}, {}, {}, {}}; }

std::vector<MemberRow> Household() {
  return {Row("Титуляр", "Иван Иванов", kHolderEgn), Row("Съпруга", "Мария Иванова", kWifeEgn),
          Row("Дете", "Петър Иванов", kChildEgn)};
}

MemberPanelValues Panel(const QString& name, int type, const QString& egn) {
  MemberPanelValues panel = ClearedMemberPanel();
  panel.name = name;
  panel.typePosition = type;
  panel.egn = egn;
  return panel;
}

int AddCard(TDataModule1& data, int regNum, int status, const QList<std::pair<QString, int>>& members) {
  TestCard card(regNum);
  card.Set(card_table::kRegDate, QDate(2021, 2, 3))
      .Set(card_table::kAdress, QStringLiteral("ул. Шипка 1"))
      .Set(card_table::kGroup1, 1)
      .Set(card_table::kStatus, status)
      .Set(card_table::kAddUser, QStringLiteral("clerk"));
  for (const auto& [egn, role] : members) card.Person(QStringLiteral("Лице %1").arg(egn), egn, role);
  return card.Insert(data);
}
}  // namespace

class TestMembers : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    for (const QString& egn : {kHolderEgn, kWifeEgn, kChildEgn, kOtherEgn}) QVERIFY2(EGNIsValid(egn), qPrintable(egn));
  }

  void roleNames() {
    for (int code = 0; code < kMemberRoleCount; ++code) QCOMPARE(PersonTypeCode(PersonTypeText(code)), code);
    QCOMPARE(PersonTypeText(5), QStringLiteral("Дете на път"));
    QCOMPARE(PersonTypeCode(QStringLiteral("Титуляр ")), 0);
    QCOMPARE(PersonTypeCode(QStringLiteral("Съпруга")), 2);
    QVERIFY(PersonTypeText(6).isEmpty());
  }

  void roleRules_data() {
    QTest::addColumn<std::vector<MemberRow>>("rows");
    QTest::addColumn<QString>("type");
    QTest::addColumn<bool>("isModify");
    QTest::addColumn<int>("selected");
    QTest::addColumn<bool>("allowed");
    const auto h = Household();
    const std::vector<MemberRow> noSpouse = {h[0], h[2]};
    QTest::newRow("holder row keeps holder") << h << "Титуляр" << true << 1 << true;
    QTest::newRow("holder row cannot become a child") << h << "Дете" << true << 1 << false;
    QTest::newRow("first member of a new card must be the holder") << std::vector<MemberRow>{} << "Дете" << true << 1 << false;
    QTest::newRow("spouse keeps her role") << h << "Съпруга" << true << 2 << true;
    QTest::newRow("spouse row may switch spouse name") << h << "Съпруг" << true << 2 << true;
    QTest::newRow("child cannot become husband beside a wife") << h << "Съпруг" << true << 3 << false;
    QTest::newRow("child cannot become holder") << h << "Титуляр" << true << 3 << false;
    QTest::newRow("add second holder") << h << "Титуляр" << false << 1 << false;
    QTest::newRow("add second spouse") << h << "Съпруг" << false << 3 << false;
    QTest::newRow("add a child") << h << "Дете" << false << 3 << true;
    QTest::newRow("add a spouse where there is none") << noSpouse << "Съпруга" << false << 2 << true;
  }

  void roleRules() {
    QFETCH(std::vector<MemberRow>, rows);
    QFETCH(QString, type);
    QFETCH(bool, isModify);
    QFETCH(int, selected);
    QFETCH(bool, allowed);
    QCOMPARE(PersonTypeAllowed(type, isModify, rows, selected), allowed);
  }

  void firstMemberOfANewCard() {
    const MemberCommandResult child = AddMember({}, true, 1, Panel("Петър", 3, kChildEgn), {});
    QVERIFY(!child.accepted);
    QCOMPARE(child.message, QStringLiteral("Моля въведете валиден тип за член на домакинство"));
    QCOMPARE(child.caption, QStringLiteral("Грешка при промяна данни за лице"));

    const MemberCommandResult holder = AddMember({}, true, 1, Panel("Иван Иванов", 0, kHolderEgn), {});
    QVERIFY(holder.accepted);
    QCOMPARE(holder.rows.size(), size_t(1));
    QCOMPARE(holder.rows[0].type, QStringLiteral("Титуляр"));
    QCOMPARE(holder.rows[0].egn, kHolderEgn);
  }

  // Checks of the add command in their order; the first failing one speaks.
  void addRefusals_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("egn");
    QTest::addColumn<QString>("message");
    QTest::newRow("no name") << "" << 0 << "" << "Моля въведете името на човека";
    QTest::newRow("no role") << "Х" << -1 << "" << "Моля въведете типа на човека";
    QTest::newRow("second holder, before the EGN checks") << "Х" << 0 << "" << "Моля въведете валиден тип";
    QTest::newRow("second spouse") << "Х" << 1 << kOtherEgn << "Моля въведете валиден тип";
    QTest::newRow("no EGN") << "Х" << 3 << "" << "Моля въведете ЕГН-то на човека";
    QTest::newRow("invalid EGN") << "Х" << 3 << "7501010005" << "Моля въведете валидно ЕГН";
    QTest::newRow("EGN already in the grid") << "Х" << 3 << kWifeEgn << "Дублиращо ЕГН";
  }

  void addRefusals() {
    QFETCH(QString, name);
    QFETCH(int, type);
    QFETCH(QString, egn);
    QFETCH(QString, message);
    const MemberCommandResult result = AddMember(Household(), false, 1, Panel(name, type, egn), {});
    QVERIFY(!result.accepted);
    QCOMPARE(result.message, message);
    QCOMPARE(result.caption, QStringLiteral("Грешка при добавяне"));
    QCOMPARE(result.rows, Household());
  }

  void addAppendsAndClearsThePanel() {
    const MemberCommandResult result = AddMember(Household(), false, 2, Panel("Баба", 4, kOtherEgn), {});
    QVERIFY(result.accepted);
    QCOMPARE(result.rows.size(), size_t(4));
    QCOMPARE(result.rows[3].type, QStringLiteral("Друг"));
    QCOMPARE(result.rows[3].name, QStringLiteral("Баба"));
    QVERIFY(result.panel.name.isEmpty() && result.panel.egn.isEmpty());
    QCOMPARE(result.panel.typePosition, -1);
  }

  void modifyRefusals_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("percent");
    QTest::addColumn<QString>("telk");
    QTest::addColumn<QString>("egn");
    QTest::addColumn<QString>("message");
    QTest::newRow("child to husband beside a wife") << 3 << 1 << "" << "" << kChildEgn << "Моля въведете валиден тип за член на домакинство";
    QTest::newRow("decision without percent") << 3 << 3 << "" << "12/2020" << kChildEgn << "Моля въвете процент на инвалидност";
    QTest::newRow("percent without decision") << 3 << 3 << "50" << " " << kChildEgn << "Моля въвете решение на ТЕЛК";
    QTest::newRow("invalid EGN") << 3 << 3 << "" << "" << "1234567890" << "Моля въведете валидно ЕГН";
    QTest::newRow("EGN of another row") << 3 << 3 << "" << "" << kWifeEgn << "Лице с посоченото ЕГН вече съществува в картотеката";
  }

  void modifyRefusals() {
    QFETCH(int, row);
    QFETCH(int, type);
    QFETCH(QString, percent);
    QFETCH(QString, telk);
    QFETCH(QString, egn);
    QFETCH(QString, message);
    MemberPanelValues panel = Panel("Петър Иванов", type, egn);
    panel.disabilityBoxVisible = true;
    panel.percent = percent;
    panel.telk = telk;
    const MemberCommandResult result = ModifyMember(Household(), row, panel, {});
    QVERIFY(!result.accepted);
    QCOMPARE(result.message, message);
    QCOMPARE(result.caption, QStringLiteral("Грешка при промяна данни за лице"));
    QCOMPARE(result.rows, Household());
  }

  void disabilityData() {
    Clock::FixedNow now(QDateTime(QDate(2024, 5, 15), QTime(10, 0)));
    MemberPanelValues panel = Panel("Петър Иванов", 3, kChildEgn);
    panel.disabilityBoxVisible = true;
    panel.socGroupPosition = 3;
    panel.socGroupText = QStringLiteral("С увреждане (ТЕЛК/НЕЛК)");
    panel.validUntil = DateValue(QDate(2030, 12, 31));
    panel.telk = QStringLiteral("12/2020");

    panel.percent = QStringLiteral("50");
    MemberCommandResult result = ModifyMember(Household(), 3, panel, {});
    QVERIFY(result.accepted);
    QCOMPARE(result.rows[2], (MemberRow{"Дете", "Петър Иванов", kChildEgn, "С увреждане (ТЕЛК/НЕЛК)", "", "50",
                                        "31.12.2030", "12/2020"}));

    // Both disability checks pass, yet a percent with a sign cannot be stored: no disability data.
    panel.percent = QStringLiteral("50%");
    result = ModifyMember(Household(), 3, panel, {});
    QVERIFY(result.accepted);
    QVERIFY(result.rows[2].percent.isEmpty() && result.rows[2].validUntil.isEmpty() && result.rows[2].telk.isEmpty());

    // A hidden disability box drops what the panel still held.
    panel.percent = QStringLiteral("50");
    panel.disabilityBoxVisible = false;
    result = ModifyMember(Household(), 3, panel, {});
    QVERIFY(result.accepted);
    QCOMPARE(result.rows[2].percent, QString());
    QCOMPARE(result.rows[2].telk, QString());
    QCOMPARE(result.rows[2].validUntil, QStringLiteral("15.05.2024"));
  }

  void kidsAroundTheEighteenthBirthday() {
    Clock::FixedNow now(QDateTime(QDate(2024, 5, 15), QTime(9, 30)));
    const std::vector<MemberRow> rows = {
        Row("Титуляр", "Т", kHolderEgn),
        Row("Дете", "18 днес", EgnBornOn(QDate(2006, 5, 15))),
        Row("Дете", "18 утре", EgnBornOn(QDate(2006, 5, 16))),
        Row("Дете на път", "очаквано", kOtherEgn),
        Row("Друг", "непълнолетен друг", EgnBornOn(QDate(2015, 1, 1))),
    };
    QCOMPARE(CountMembers(rows), 5);
    QCOMPARE(CountKidsUnder18(rows), 2);  // tomorrow's 18-year-old and the expected child
    QCOMPARE(CountKidsOver18(rows), 1);   // today's 18-year-old
  }

  void makeHolder_data() {
    QTest::addColumn<std::vector<MemberRow>>("rows");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("formerHolderRole");
    const auto h = Household();
    std::vector<MemberRow> withHusband = h;
    withHusband[1].type = QStringLiteral("Съпруг");
    QTest::newRow("wife") << h << 2 << "Съпруг";
    QTest::newRow("husband") << withHusband << 2 << "Съпруга";
    QTest::newRow("child") << h << 3 << "Друг";
  }

  void makeHolder() {
    QFETCH(std::vector<MemberRow>, rows);
    QFETCH(int, selected);
    QFETCH(QString, formerHolderRole);
    const auto result = MakeHolder(rows, selected);
    QVERIFY(result.has_value());
    MemberRow promoted = rows[selected - 1];
    promoted.type = QStringLiteral("Титуляр");
    MemberRow former = rows[0];
    former.type = formerHolderRole;
    QCOMPARE((*result)[0], promoted);
    QCOMPARE((*result)[selected - 1], former);
    QCOMPARE(result->size(), rows.size());
    QVERIFY(!MakeHolder(rows, 1).has_value());
  }

  void remove() {
    const MemberCommandResult holder = RemoveMember(Household(), 1, Panel("x", 0, kHolderEgn));
    QVERIFY(!holder.accepted);
    QCOMPARE(holder.message, QStringLiteral("Не е възможно да бъде изтрит титуляра"));
    QCOMPARE(holder.caption, QStringLiteral("Грешка при премахването"));

    const MemberCommandResult wife = RemoveMember(Household(), 2, Panel("x", 0, kHolderEgn));
    QVERIFY(wife.accepted);
    QCOMPARE(wife.rows, (std::vector<MemberRow>{Household()[0], Household()[2]}));
    QVERIFY(wife.panel.name.isEmpty());
  }

  void lifelong() {
    Clock::FixedNow now(QDateTime(QDate(2024, 5, 15), QTime(10, 0)));
    QCOMPARE(ToQDate(LifelongValidUntil()), QDate(5024, 5, 15));
    QVERIFY(IsLifelongDate(LifelongValidUntil()));
    QVERIFY(!IsLifelongDate(DateValue(QDate(5000, 1, 1))));

    const QStringList groups = {"Работещ", "Безработен", "Пенсионер", "С увреждане (ТЕЛК/НЕЛК)"};
    MemberPanelValues current = ClearedMemberPanel();
    current.lifelong = true;
    current.validUntil = DateValue(QDate(2001, 1, 1));
    MemberRow row{"Дете на път", " Петър ", kChildEgn, "С увреждане (ТЕЛК/НЕЛК)", "", "60", "31.12.2030", "7"};

    MemberPanelValues panel = PanelFromRow(row, current, groups);
    QCOMPARE(panel.validUntil, DateValue(QDate(2030, 12, 31)));
    QVERIFY(!panel.lifelong);
    QCOMPARE(panel.name, QStringLiteral("Петър"));
    QCOMPARE(panel.socGroupPosition, 3);
    QCOMPARE(panel.typePosition, -1);  // role 5 is not offered by the selector

    row.validUntil = QStringLiteral("15.05.5025");
    QVERIFY(PanelFromRow(row, current, groups).lifelong);
    row.validUntil = QStringLiteral("не е дата");
    QCOMPARE(PanelFromRow(row, current, groups).validUntil, DateTimeValueOf(Clock::Now()));
    row.validUntil.clear();  // no date: the panel's date and tick stay
    panel = PanelFromRow(row, current, groups);
    QCOMPARE(panel.validUntil, current.validUntil);
    QVERIFY(panel.lifelong);
  }

  void duplicateAgainstTheRegister() {
    TempRegister reg;
    TDataModule1& data = reg.Data();
    const QString openEgn = EgnBornOn(QDate(1980, 6, 1), 10);
    const QString closedEgn = EgnBornOn(QDate(1981, 6, 1), 11);
    const QString ownEgn = EgnBornOn(QDate(1982, 6, 1), 12);
    AddCard(data, 1, 2, {{openEgn, 0}});
    AddCard(data, 2, 3, {{closedEgn, 0}});
    const int own = AddCard(data, 3, 0, {{kHolderEgn, 0}, {ownEgn, 3}});
    data.CommitRetaining();

    const std::vector<MemberRow> grid = {Row("Титуляр", "Т", kHolderEgn)};
    QVERIFY(IsDuplicateEGN(data, openEgn, grid, -1, own));
    QVERIFY(!IsDuplicateEGN(data, closedEgn, grid, -1, own));
    // A member removed from the grid may come back to its own card...
    QVERIFY(!IsDuplicateEGN(data, ownEgn, grid, -1, own));
    // ...but not to another card while this one is in the register.
    QVERIFY(IsDuplicateEGN(data, ownEgn, grid, -1, 0));

    const MemberCardContext context{&data, own};
    QCOMPARE(AddMember(grid, false, 1, Panel("Х", 3, openEgn), context).message, QStringLiteral("Дублиращо ЕГН"));
    QVERIFY(AddMember(grid, false, 1, Panel("Х", 3, closedEgn), context).accepted);
    const std::vector<MemberRow> two = {grid[0], Row("Дете", "Д", kChildEgn)};
    QCOMPARE(ModifyMember(two, 2, Panel("Д", 3, openEgn), context).message,
             QStringLiteral("Лице с посоченото ЕГН вече съществува в картотеката"));

    // The "?" look-up finds a name on any card; the number is bound, never pasted into SQL.
    QCOMPARE(NameByEGN(data, closedEgn), std::optional<QString>(QStringLiteral("Лице %1").arg(closedEgn)));
    QCOMPARE(NameByEGN(data, QStringLiteral("' or ''='")), std::nullopt);
    QVERIFY(!IsDuplicateEGN(data, QStringLiteral("' or ''='"), grid, -1, own));
  }

  void unchangedEgnMakesNoQuery() {
    // A data module that was never connected fails on any statement, so an accepted
    // modification proves no look-up ran.
    TDataModule1 offline;
    const MemberCardContext context{&offline, 7};
    QVERIFY(ModifyMember(Household(), 3, Panel("Петър Петров", 3, kChildEgn), context).accepted);
    QVERIFY_THROWS_EXCEPTION(std::exception, ModifyMember(Household(), 3, Panel("Петър", 3, kOtherEgn), context));
  }

  void loadMemberRows() {
    TempRegister reg;
    TDataModule1& data = reg.Data();
    const int card = AddCard(data, 1, 1, {});
    AddCard(data, 2, 1, {{kOtherEgn, 0}});  // another card's member stays out
    // Keys chosen against the order of insertion, so only sorting by key gives the children's order.
    Statement person(data.Db(), QStringLiteral("insert into RGS_PERSON (PERSON_ID, CARD_ID, NAME, EGN, PERSON_TYPE, "
                                               "SOCGRUPA, NOTES, INV_PROC, INV_DATE, TELK_NUM) "
                                               "values (?,?,?,?,?,?,?,?,?,?)"));
    const QVariant null;
    person.BindAll({20, card, "Иван Иванов", kHolderEgn, 0, null, "бележка", 60, "31.12.2030", "12/2020"});
    person.Execute();
    person.BindAll({40, card, "Мария Иванова", kWifeEgn, 2, 3, null, null, null, null});
    person.Execute();
    int serial = 0;
    for (const int key : {50, 90, 30, 70}) {
      person.BindAll({key, card, QStringLiteral("Дете %1").arg(key), EgnBornOn(QDate(2012, 1, 1), ++serial), 3,
                      key == 30 ? QVariant(5) : QVariant(9), null, null, null, null});
      person.Execute();
    }
    data.CommitRetaining();

    const std::vector<MemberRow> rows = LoadMemberRows(data, card);
    QCOMPARE(rows.size(), size_t(6));
    QCOMPARE(rows[0], (MemberRow{"Титуляр", "Иван Иванов", kHolderEgn, "Работещ", "бележка", "60", "31.12.2030", "12/2020"}));
    QCOMPARE(rows[1].name, QStringLiteral("Мария Иванова"));
    QCOMPARE(rows[1].socGroup, QStringLiteral("С увреждане (ТЕЛК/НЕЛК)"));
    QCOMPARE(rows[2], (MemberRow{"Дете", "Дете 30", EgnBornOn(QDate(2012, 1, 1), 3), "Дете", "", "", "", ""}));
    QStringList children;
    for (size_t i = 2; i < rows.size(); ++i) children << rows[i].name;
    QCOMPARE(children, QStringList({"Дете 30", "Дете 50", "Дете 70", "Дете 90"}));
    QCOMPARE(rows[3].socGroup, QString());  // a code outside the list shows no name
  }
};

QTEST_GUILESS_MAIN(TestMembers)
#include "test_members.moc"
