// The search builder: ticked criteria to condition line and tab caption, the checks on numbers
// and list choices, and that the database runs what it builds and finds the right cards.
#include <QtTest>
#include <functional>

#include "data/card_table.h"
#include "data/data_module.h"
#include "data/firebird/statement.h"
#include "data/person_table.h"
#include "search/search_condition.h"
#include "temp_register.h"
#include "test_card.h"

namespace {
using Setup = std::function<void(SearchCriteria&)>;

const QString kHolders = QStringLiteral("and P.PERSON_TYPE = 0 ");

// Codes as the starting code lists hold them; an unknown name gets -1 as the data module gives.
int CodeOf(const QString& list, const QString& name) {
  static const QHash<QString, QStringList> lists = {
      {QStringLiteral("GROUP1"), {QStringLiteral("1.възстановяване на бивш. собств."), QStringLiteral("2.засегнати от ново строителство")}},
      {QStringLiteral("LDATA"), {QStringLiteral("0.Няма данни"), QStringLiteral("1.Нежил. помещ.")}},
      {QStringLiteral("STATUS"), {QStringLiteral("Картотекиран"), QStringLiteral("Включен в списъка"),
                                  QStringLiteral("Отложен до изясняване на собствеността")}},
      {QStringLiteral("LREASON"), {QStringLiteral("0.Няма данни"), QStringLiteral("1.Свободен наем"), QStringLiteral("2.При родители"),
                                   QStringLiteral("3.Вед. жилище"), QStringLiteral("4.Общ. жилище"),
                                   QStringLiteral("5.Други(в бележките)")}},
      {QStringLiteral("SOCGRUPA"), {QStringLiteral("Работещ"), QStringLiteral("Безработен"), QStringLiteral("Пенсионер"),
                                    QStringLiteral("С увреждане (ТЕЛК/НЕЛК)")}},
      {QStringLiteral("NAST_VID_APART"), {QStringLiteral("Няма данни"), QStringLiteral("Общинско жилище"),
                                          QStringLiteral("Резервно жилище"), QStringLiteral("Ведомствено жилище")}},
  };
  return static_cast<int>(lists.value(list).indexOf(name));
}

// Ticks `box` and lets `fill` set its controls.
Setup Tick(int box, const std::function<void(SearchCriteria&)>& fill = {}) {
  return [box, fill](SearchCriteria& c) {
    c.SetTicked(box, true);
    if (fill) fill(c);
  };
}

SearchCriteria Make(const QList<Setup>& setups) {
  SearchCriteria c;
  for (const Setup& setup : setups) setup(c);
  return c;
}
}  // namespace

Q_DECLARE_METATYPE(QList<Setup>)

class TestSearchCondition : public QObject {
  Q_OBJECT

 private slots:
  void buildsConditionAndCaption_data() {
    QTest::addColumn<QList<Setup>>("setups");
    QTest::addColumn<QString>("condition");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("anyFragment");
    const QDate d1(2024, 3, 5), d2(2024, 12, 31);

    QTest::newRow("name and group (worked example)")
        << QList<Setup>{Tick(2, [](auto& c) { c.sName = QStringLiteral("ова"); }),
                        Tick(6, [](auto& c) { c.sGroup = QStringLiteral("2.засегнати от ново строителство"); })}
        << QStringLiteral("and( upper(P.NAME) LIKE '%ОВА%')and C.GRUPA = 1")
        << QStringLiteral("Търсене:ОВА,2.засегнати от ново строителст") << true;
    QTest::newRow("nothing ticked") << QList<Setup>{} << kHolders << QStringLiteral("Търсене") << false;
    QTest::newRow("incoming number alone, registration number empty")
        << QList<Setup>{Tick(1, [](auto& c) { c.sVhNom = QStringLiteral("  вх-12а "); })}
        << kHolders + QStringLiteral("and C.DOC_IDTXT LIKE '%ВХ-12А%'") << QStringLiteral("Търсене:ВХ-12А") << true;
    QTest::newRow("registration number and incoming number")
        << QList<Setup>{Tick(1, [](auto& c) { c.sRegNum = QStringLiteral("007"); c.sVhNom = QStringLiteral("5"); })}
        << kHolders + QStringLiteral("and C.REG_NUM = 7and C.DOC_IDTXT LIKE '%5%'") << QStringLiteral("Търсене:007,5") << true;
    QTest::newRow("registration number not a number")
        << QList<Setup>{Tick(1, [](auto& c) { c.sRegNum = QStringLiteral("12 or 1=1"); })} << kHolders
        << QStringLiteral("Търсене") << false;
    QTest::newRow("negative registration number")
        << QList<Setup>{Tick(1, [](auto& c) { c.sRegNum = QStringLiteral("-3"); })} << kHolders << QStringLiteral("Търсене")
        << false;
    QTest::newRow("EGN searches every member, not only holders")
        << QList<Setup>{Tick(3, [](auto& c) { c.sEGN = QStringLiteral("7501"); })}
        << QStringLiteral("and P.EGN LIKE '%7501%'") << QStringLiteral("Търсене:7501") << true;
    QTest::newRow("name with an apostrophe")
        << QList<Setup>{Tick(2, [](auto& c) { c.sName = QStringLiteral("д'арк"); })}
        << QStringLiteral("and( upper(P.NAME) LIKE '%Д''АРК%')") << QStringLiteral("Търсене:Д'АРК") << true;
    QTest::newRow("name with the pattern characters")
        << QList<Setup>{Tick(2, [](auto& c) { c.sName = QStringLiteral("50%_a\\b"); })}
        << QStringLiteral("and( upper(P.NAME) LIKE '%50\\%\\_A\\\\B%' ESCAPE '\\')")
        << QStringLiteral("Търсене:50%_A\\B") << true;
    QTest::newRow("empty name still searches")
        << QList<Setup>{Tick(2)} << QStringLiteral("and( upper(P.NAME) LIKE '%%')") << QStringLiteral("Търсене:") << true;
    QTest::newRow("kids from only")
        << QList<Setup>{Tick(4, [](auto& c) { c.sMemFrom = QStringLiteral("2"); })}
        << kHolders + QStringLiteral("and C.KIDS >= 2") << QStringLiteral("Търсене:деца oт 2") << true;
    QTest::newRow("kids both parts")
        << QList<Setup>{Tick(4, [](auto& c) { c.sMemFrom = QStringLiteral("1"); c.sMemTo = QStringLiteral("3"); })}
        << kHolders + QStringLiteral("and C.KIDS >= 1and C.KIDS <= 3") << QStringLiteral("Търсене:деца oт 1,деца до 3") << true;
    QTest::newRow("kids ticked, both empty")
        << QList<Setup>{Tick(4)} << kHolders << QStringLiteral("Търсене") << false;
    QTest::newRow("registration dates")
        << QList<Setup>{Tick(5, [d1, d2](auto& c) { c.sDateFrom = d1; c.sDateTo = d2; })}
        << kHolders + QStringLiteral("and ((C.REGDATE >= '05.03.2024')and (C.REGDATE <= '31.12.2024'))")
        << QStringLiteral("Търсене:по дата") << true;
    QTest::newRow("without declaration")
        << QList<Setup>{Tick(9, [d1, d2](auto& c) { c.dFrom = d1; c.dTo = d2; })}
        << kHolders + QStringLiteral("and(( C.LASTDEK_DATE <= '05.03.2024')or (C.LASTDEK_DATE >= '31.12.2024') or "
                                     "(C.LASTDEK_DATE is NULL) )")
        << QStringLiteral("Търсене:Картони без подадена декларация") << true;
    QTest::newRow("kind of dwelling")
        << QList<Setup>{Tick(7, [](auto& c) { c.sLData = QStringLiteral("1.Нежил. помещ."); })}
        << kHolders + QStringLiteral("and C.L_DATA = 1") << QStringLiteral("Търсене:1.Нежил. помещ.") << true;
    QTest::newRow("state")
        << QList<Setup>{Tick(8, [](auto& c) { c.sStatus = QStringLiteral("Включен в списъка"); })}
        << kHolders + QStringLiteral("and C.STATUS = 1") << QStringLiteral("Търсене:Включен в списъка") << true;
    QTest::newRow("reason within 16")
        << QList<Setup>{Tick(10, [](auto& c) { c.sLReason = QStringLiteral("2.При родители"); })}
        << kHolders + QStringLiteral("and C.L_REASON = 2") << QStringLiteral("Търсене:2.При родители") << true;
    QTest::newRow("reason longer than 16")
        << QList<Setup>{Tick(10, [](auto& c) { c.sLReason = QStringLiteral("1.Свободен наем"); }),
                        Tick(7, [](auto& c) { c.sLData = QStringLiteral("0.Няма данни"); })}
        << kHolders + QStringLiteral("and C.L_DATA = 0and C.L_REASON = 1")
        << QStringLiteral("Търсене:0.Няма данни,1.Свободен наем") << true;
    QTest::newRow("social group within 24")
        << QList<Setup>{Tick(11, [](auto& c) { c.sSocGrupa = QStringLiteral("С увреждане (ТЕЛК/НЕЛК)"); })}
        << kHolders + QStringLiteral("and P.SOCGRUPA = 3") << QStringLiteral("Търсене:С увреждане (ТЕЛК/НЕЛК)") << true;
    QTest::newRow("state cut to 24")
        << QList<Setup>{Tick(8, [](auto& c) { c.sStatus = QStringLiteral("Отложен до изясняване на собствеността"); })}
        << kHolders + QStringLiteral("and C.STATUS = 2") << QStringLiteral("Търсене:Отложен до изясняване на") << true;
    QTest::newRow("reason cut to 16")
        << QList<Setup>{Tick(10, [](auto& c) { c.sLReason = QStringLiteral("5.Други(в бележките)"); })}
        << kHolders + QStringLiteral("and C.L_REASON = 5") << QStringLiteral("Търсене:5.Други(в бележк") << true;
    QTest::newRow("name not in the list any more")
        << QList<Setup>{Tick(14, [](auto& c) { c.sNastVidApart = QStringLiteral("Друго"); })}
        << kHolders + QStringLiteral("and C.NAST_VID_APART = -1") << QStringLiteral("Търсене:Друго") << true;
    QTest::newRow("housed in")
        << QList<Setup>{Tick(14, [](auto& c) { c.sNastVidApart = QStringLiteral("Ведомствено жилище"); })}
        << kHolders + QStringLiteral("and C.NAST_VID_APART = 3") << QStringLiteral("Търсене:Ведомствено жилище") << true;
    QTest::newRow("group cut to 30")
        << QList<Setup>{Tick(6, [](auto& c) { c.sGroup = QStringLiteral("1.възстановяване на бивш. собств."); })}
        << kHolders + QStringLiteral("and C.GRUPA = 0") << QStringLiteral("Търсене:1.възстановяване на бивш. собс") << true;
    QTest::newRow("notes, buying, firm")
        << QList<Setup>{Tick(12, [](auto& c) { c.sNotes = QStringLiteral("спешно"); }),
                        Tick(16, [](auto& c) { c.sNastBuy = QStringLiteral("да"); }),
                        Tick(17, [](auto& c) { c.sHasFirm = QStringLiteral("ет"); })}
        << kHolders + QStringLiteral("and (upper(cast(C.NOTES as blob sub_type text character set WIN1251)) LIKE '%СПЕШНО%')and (upper(C.NAST_BUY) LIKE '%ДА%')"
                                     "and (upper(C.HAS_FIRM) LIKE '%ЕТ%')")
        << QStringLiteral("Търсене:СПЕШНО,ДА,ЕТ") << true;
    QTest::newRow("family members")
        << QList<Setup>{Tick(13, [](auto& c) { c.sMemNumbFrom = QStringLiteral("2"); c.sMemNumbTo = QStringLiteral("12"); })}
        << kHolders + QStringLiteral("and C.FAMILY_MEMBER_COUNT >= 2and C.FAMILY_MEMBER_COUNT <=12")
        << QStringLiteral("Търсене:членове на сем. от 2,членове на сем. до 12") << true;
    QTest::newRow("housing order number")
        << QList<Setup>{Tick(15, [](auto& c) { c.sNastZap = QStringLiteral("007"); })}
        << kHolders + QStringLiteral("and (C.NAST_ZAP LIKE '%007%')") << QStringLiteral("Търсене:007") << true;
    QTest::newRow("housing order not a number")
        << QList<Setup>{Tick(15, [](auto& c) { c.sNastZap = QStringLiteral("7'--"); })} << kHolders
        << QStringLiteral("Търсене") << false;
    QTest::newRow("TELK with an apostrophe")
        << QList<Setup>{Tick(18, [](auto& c) { c.sTelkNum = QStringLiteral("№12'б"); })}
        << kHolders + QStringLiteral("and (upper(P.TELK_NUM) LIKE '%№12''Б%')") << QStringLiteral("Търсене:№12'Б") << true;
    QTest::newRow("income with a point")
        << QList<Setup>{Tick(19, [](auto& c) { c.sIncFrom = QStringLiteral("150.50"); c.sIncTo = QStringLiteral("300"); })}
        << kHolders + QStringLiteral("and C.INCOME_PER_PERSON >= 150.50and C.INCOME_PER_PERSON <= 300")
        << QStringLiteral("Търсене:дох. за член на сем. от 150.50 €,дох. за член на ме. до 300 €") << true;
    QTest::newRow("income 1.2.3 rejected, other part kept")
        << QList<Setup>{Tick(19, [](auto& c) { c.sIncFrom = QStringLiteral("1.2.3"); c.sIncTo = QStringLiteral("5."); })}
        << kHolders + QStringLiteral("and C.INCOME_PER_PERSON <= 5.") << QStringLiteral("Търсене:дох. за член на ме. до 5. €")
        << true;
    QTest::newRow("income with a comma adds nothing")
        << QList<Setup>{Tick(19, [](auto& c) { c.sIncFrom = QStringLiteral("1,5"); })} << kHolders
        << QStringLiteral("Търсене") << false;
    QTest::newRow("kids over 18")
        << QList<Setup>{Tick(20, [](auto& c) { c.sAgeOverFrom = QStringLiteral("0"); c.sAgeOverTo = QStringLiteral("x"); })}
        << kHolders + QStringLiteral("and C.KIDS_OVER18 >= 0") << QStringLiteral("Търсене:деца над 18г. от 0") << true;
    QTest::newRow("number beyond the integers adds nothing")
        << QList<Setup>{Tick(13, [](auto& c) { c.sMemNumbFrom = QStringLiteral("99999999999"); })} << kHolders
        << QStringLiteral("Търсене") << false;
    QTest::newRow("order follows the criteria, not the ticking")
        << QList<Setup>{Tick(18, [](auto& c) { c.sTelkNum = QStringLiteral("1"); }),
                        Tick(2, [](auto& c) { c.sName = QStringLiteral("и"); })}
        << QStringLiteral("and( upper(P.NAME) LIKE '%И%')and (upper(P.TELK_NUM) LIKE '%1%')")
        << QStringLiteral("Търсене:И,1") << true;
  }
  void buildsConditionAndCaption() {
    QFETCH(QList<Setup>, setups);
    QFETCH(QString, condition);
    QFETCH(QString, caption);
    QFETCH(bool, anyFragment);
    const SearchOutcome outcome = BuildSearch(Make(setups), CodeOf);
    QCOMPARE(outcome.condition, condition);
    QCOMPARE(outcome.tabCaption, caption);
    QCOMPARE(outcome.anyFragment, anyFragment);
  }

  void listWithoutChosenEntryStops_data() {
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("label");
    QTest::newRow("group") << 6 << QStringLiteral("По група:");
    QTest::newRow("kind of dwelling") << 7 << QStringLiteral("По вид жилище:");
    QTest::newRow("state") << 8 << QStringLiteral("По състояние:");
    QTest::newRow("reason") << 10 << QStringLiteral("По основание за обитаване:");
    QTest::newRow("social group") << 11 << QStringLiteral("По социална група:");
    QTest::newRow("housed in") << 14 << QStringLiteral("По настанен в жил:");
  }
  void listWithoutChosenEntryStops() {
    QFETCH(int, box);
    QFETCH(QString, label);
    SearchCriteria c;
    c.SetTicked(2, true);
    c.SetTicked(box, true);
    try {
      BuildSearch(c, CodeOf);
      QFAIL("no error for a list without a chosen entry");
    } catch (const SearchCriterionError& error) {
      QCOMPARE(error.Message(), QStringLiteral("Изберете стойност за критерия „%1“.").arg(label));
    }
  }

  void datesMustBeThere() {
    SearchCriteria c;
    c.SetTicked(9, true);
    c.dFrom = QDate(2024, 1, 1);
    QVERIFY_THROWS_EXCEPTION(SearchCriterionError, BuildSearch(c, CodeOf));
  }

  // Every fragment at once goes through the database, and the quoting keeps a name with an
  // apostrophe a name: the holder is found and the other member's name is not.
  void databaseRunsWhatIsBuilt() {
    TempRegister reg;
    TDataModule1& data = reg.Data();
    auto addCard = [&](int regNum, const QString& holder, const QString& member) {
      TestCard(regNum)
          .Set(card_table::kRegDate, QDate(2024, 3, 5))
          .Set(card_table::kAdress, QStringLiteral("ул. Шипка 1"))
          .Set(card_table::kGrupa, 1)
          .Set(card_table::kKids, 2)
          .Set(card_table::kIncomePerPerson, 150.5)
          .Set(card_table::kNastZap, QStringLiteral("007/2020"))
          .Set(card_table::kDocIdTxt, QStringLiteral("ВХ-%1").arg(regNum))
          .Person(holder, QStringLiteral("7501010004"), 0, {{person_table::kTelkNum, QStringLiteral("12'Б")}})
          .Person(member, QStringLiteral("7501010004"), 2)
          .Insert(data);
    };
    addCard(1, QStringLiteral("Жана Д'Арк"), QStringLiteral("Иван Петров"));
    addCard(2, QStringLiteral("Мария Петрова"), QStringLiteral("Анна Д'Арк"));
    ListQuery& list = data.MainQuery();
    auto run = [&](const SearchCriteria& c) {
      list.Close();
      list.SetCondition(BuildSearch(c, [&](const QString& l, const QString& n) { return data.NomCodeOf(l, n); }).condition);
      list.Open();
      QStringList regNums;
      for (int row = 0; row < list.RowCount(); ++row) regNums << list.Value(row, QStringLiteral("REG_NUM")).toString();
      return regNums.join(u',');
    };

    SearchCriteria byName;
    byName.SetTicked(2, true);
    byName.sName = QStringLiteral("д'арк");
    QCOMPARE(run(byName), QStringLiteral("1"));

    SearchCriteria all;
    for (int box = 4; box <= 20; ++box) all.SetTicked(box, true);
    all.sMemFrom = QStringLiteral("2");
    all.sMemTo = QStringLiteral("2");
    all.sDateFrom = QDate(2024, 3, 5);
    all.sDateTo = QDate(2024, 3, 6);
    all.sGroup = data.NomCodeName(QStringLiteral("GROUP1"), 1);
    all.sLData = data.NomCodeName(QStringLiteral("LDATA"), 0);
    all.sStatus = data.NomCodeName(QStringLiteral("STATUS"), 1);
    all.dFrom = QDate(2000, 1, 1);
    all.dTo = QDate(2000, 1, 2);
    all.sLReason = data.NomCodeName(QStringLiteral("LREASON"), 0);
    all.sSocGrupa = data.NomCodeName(QStringLiteral("SOCGRUPA"), 0);
    all.sNastVidApart = data.NomCodeName(QStringLiteral("NAST_VID_APART"), 0);
    all.sNastZap = QStringLiteral("007");
    all.sTelkNum = QStringLiteral("12'б");
    all.sIncFrom = QStringLiteral("150.");
    all.sIncTo = QStringLiteral(".5");
    all.sMemNumbFrom = QStringLiteral("2");
    all.sAgeOverFrom = QStringLiteral("0");
    // No card matches every criterion (lists and notes differ), but the statement must run.
    QCOMPARE(run(all), QString());

    SearchCriteria matching;
    for (int box : {4, 5, 9, 13, 15, 18, 19}) matching.SetTicked(box, true);
    matching.sMemFrom = QStringLiteral("2");
    matching.sDateFrom = QDate(2024, 3, 5);
    matching.sDateTo = QDate(2024, 3, 5);
    matching.dFrom = QDate(2000, 1, 1);
    matching.dTo = QDate(2000, 1, 2);
    matching.sMemNumbFrom = QStringLiteral("2");
    matching.sMemNumbTo = QStringLiteral("2");
    matching.sNastZap = QStringLiteral("007");
    matching.sTelkNum = QStringLiteral("12'б");
    matching.sIncFrom = QStringLiteral("150.");
    matching.sIncTo = QStringLiteral("151");
    QCOMPARE(run(matching), QStringLiteral("1,2"));

    // Notes typed in any case are found by any case of the words.
    Statement notes(data.Db(), QStringLiteral("update RGS_CARD set NOTES = ? where REG_NUM = ?"));
    notes.BindAll({QStringLiteral("Подадено Заявление за жилище"), 1});
    notes.Execute();
    notes.BindAll({QStringLiteral("ЗАЯВЛЕНИЕ от 2020 г."), 2});
    notes.Execute();
    SearchCriteria byNotes;
    byNotes.SetTicked(12, true);
    for (const QString& words : {QStringLiteral("заявление"), QStringLiteral("ЗаЯвЛеНиЕ"), QStringLiteral("ЗАЯВЛЕНИЕ")}) {
      byNotes.sNotes = words;
      QCOMPARE(run(byNotes), QStringLiteral("1,2"));
    }
    byNotes.sNotes = QStringLiteral("за жилище");
    QCOMPARE(run(byNotes), QStringLiteral("1"));
    // "%" and "_" typed in a search match themselves, not any text.
    notes.BindAll({QStringLiteral("отстъпка 50% от наема"), 2});
    notes.Execute();
    for (const auto& [words, found] : {std::pair{"50%", "2"}, {"0%", "2"}, {"%", "2"}, {"_", ""}, {"5_%", ""}}) {
      byNotes.sNotes = QString::fromUtf8(words);
      QCOMPARE(run(byNotes), QString::fromUtf8(found));
    }

    SearchCriteria incoming;
    incoming.SetTicked(1, true);
    incoming.sVhNom = QStringLiteral("ВХ-2");
    QCOMPARE(run(incoming), QStringLiteral("2"));
  }
};

QTEST_GUILESS_MAIN(TestSearchCondition)
#include "test_search_condition.moc"
