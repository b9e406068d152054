// The change-history texts of saving a card, without a database: card changes, member
// changes, additions and deletions, and the placement order's history line.
#include <QtTest>

#include "card/card_history.h"
#include "card/card_load.h"

Q_DECLARE_METATYPE(StoredMember)
Q_DECLARE_METATYPE(MemberRow)
Q_DECLARE_METATYPE(CardForm)

namespace {
const QStringList kGroups = {QStringLiteral("1.възстановяване"), QStringLiteral("2.засегнати  от строителство"),
                             QStringLiteral("3.не заемащи")};
const QStringList kStates = {QStringLiteral("Картотекиран"), QStringLiteral("Включен в списъка")};
const QStringList kSocGroups = {QStringLiteral("Работещ"), QStringLiteral("Безработен"), QStringLiteral("Пенсионер"),
                                QStringLiteral("С увреждане (ТЕЛК/НЕЛК)")};

DateTimeValue Day(int y, int m, int d) { return DateValue(QDate(y, m, d)); }

CardForm Form() {
  CardForm form;
  form.ebRegNum = QStringLiteral("17");
  form.dek_id = QStringLiteral("Д-5");
  form.dek_dat = Day(2023, 3, 4);
  form.cbGroup = {1, kGroups[1]};
  form.dtGrupaDate = Day(2022, 1, 2);
  form.cbStatus = {0, kStates[0]};
  return form;
}

RememberedCardState Remembered(const CardForm& form) {
  return {form.dek_id, form.dek_dat, form.cbGroup.position, form.dtGrupaDate, form.cbStatus.position, {}, form};
}

StoredMember Stored() {
  StoredMember m;
  m.personId = 40;
  m.name = QStringLiteral("Мария Иванова");
  m.egn = QStringLiteral("7602020021");
  m.personType = 2;
  m.socGroup = 0;
  m.notes = QString();
  m.invProc = 80;
  m.invDate = QStringLiteral("01.02.2030");
  m.telk = QStringLiteral("ТЕЛК 12");
  return m;
}

MemberRow RowOf(const StoredMember& m) {
  return {QStringLiteral("Съпруга"), *m.name, *m.egn, kSocGroups[0], {}, QStringLiteral("80"),
          QStringLiteral("01.02.2030"), *m.telk};
}
}  // namespace

class TestCardSaveHistory : public QObject {
  Q_OBJECT

 private slots:
  void cardChanges_data() {
    QTest::addColumn<CardForm>("changed");
    QTest::addColumn<QStringList>("texts");
    const QString end = QStringLiteral(" на картон с номер : 17");
    CardForm form = Form();
    QTest::newRow("nothing") << form << QStringList();

    // Names are collapsed; a position outside the list has the empty name.
    form.cbGroup = {2, kGroups[2]};
    QTest::newRow("group") << form
                           << QStringList{QStringLiteral("Промяна на група от 2.засегнати от строителство на 3.не заемащи") +
                                          end};
    form = Form();
    form.cbStatus = {-1, QString()};
    QTest::newRow("state cleared") << form << QStringList{QStringLiteral("Промяна на състояние от Картотекиран на ") + end};

    // Every kind of change, written in the fixed order; a missing date shows empty.
    form = Form();
    form.cbStatus = {1, kStates[1]};
    form.dtGrupaDate = Day(2024, 5, 6);
    form.cbGroup = {0, kGroups[0]};
    form.dek_dat = 0;
    form.dek_id = QStringLiteral("Д-6");
    QTest::newRow("all five") << form
                              << QStringList{
                                     QStringLiteral("Промяна на последно подадена декларация от Д-5 на Д-6") + end,
                                     QStringLiteral("Промяна дата на последно подадена декларация от 04.03.2023 на ") + end,
                                     QStringLiteral("Промяна на група от 2.засегнати от строителство на 1.възстановяване") + end,
                                     QStringLiteral("Промяна дата на група от 02.01.2022 на 06.05.2024") + end,
                                     QStringLiteral("Промяна на състояние от Картотекиран на Включен в списъка") + end};
  }
  void cardChanges() {
    QFETCH(CardForm, changed);
    QFETCH(QStringList, texts);
    QCOMPARE(CardChangeTexts(Remembered(Form()), changed, kGroups, kStates), texts);
  }

  void memberChanges_data() {
    QTest::addColumn<StoredMember>("stored");
    QTest::addColumn<MemberRow>("row");
    QTest::addColumn<QStringList>("lines");
    const StoredMember stored = Stored();
    QTest::newRow("unchanged") << stored << RowOf(stored) << QStringList();

    MemberRow row = RowOf(stored);
    row.name = QStringLiteral("Мария Петрова");
    QTest::newRow("name") << stored << row
                          << QStringList{QStringLiteral("Променено име от Мария Иванова на Мария Петрова")};

    // Every column, in the fixed order.
    row = {QStringLiteral("Дете"), QStringLiteral("Ина"), QStringLiteral("1041010013"), kSocGroups[3],
           QStringLiteral("бел."), QStringLiteral("90"), QStringLiteral("3.4.2031"), QStringLiteral("ТЕЛК 13")};
    QTest::newRow("all") << stored << row
                         << QStringList{QStringLiteral("Променено име от Мария Иванова на Ина"),
                                        QStringLiteral("Променено ЕГН от 7602020021 на 1041010013"),
                                        QStringLiteral("Променено тип от Съпруга на Дете"),
                                        QStringLiteral("Променено Соц. група от Работещ на С увреждане (ТЕЛК/НЕЛК)"),
                                        QStringLiteral("Променено бележки от  на бел."),
                                        QStringLiteral("Променено процент на инвалидност от 80 на 90"),
                                        QStringLiteral("Променено дата на ТЕЛК от 01.02.2030 на 3.4.2031"),
                                        QStringLiteral("Променено решение на ТЕЛК от ТЕЛК 12 на ТЕЛК 13")};

    // The same day written differently is no change.
    row = RowOf(stored);
    row.validUntil = QStringLiteral("1.2.2030");
    QTest::newRow("same day") << stored << row << QStringList();

    // Disability data removed: the emptied date is a change, not a failure of the save.
    row = RowOf(stored);
    row.percent.clear();
    row.validUntil.clear();
    row.telk.clear();
    QTest::newRow("disability removed")
        << stored << row
        << QStringList{QStringLiteral("Променено процент на инвалидност от 80 на "),
                       QStringLiteral("Променено дата на ТЕЛК от 01.02.2030 на "),
                       QStringLiteral("Променено решение на ТЕЛК от ТЕЛК 12 на ")};

    // NULL cells are never compared; a role outside the selector has the empty name.
    StoredMember sparse;
    sparse.personId = 41;
    sparse.name = QStringLiteral("Ива");
    sparse.personType = 5;
    row = {QStringLiteral("Дете"), QStringLiteral("Ива"), QStringLiteral("1041010013"), QString(),
           QStringLiteral("x"), QStringLiteral("71"), QStringLiteral("01.01.2030"), QStringLiteral("Т")};
    QTest::newRow("nulls") << sparse << row << QStringList{QStringLiteral("Променено тип от  на Дете")};
  }
  void memberChanges() {
    QFETCH(StoredMember, stored);
    QFETCH(MemberRow, row);
    QFETCH(QStringList, lines);
    QCOMPARE(MemberChangeLines(stored, row, kSocGroups), lines);
  }

  void memberEntryTexts() {
    QCOMPARE(MemberChangeText({QStringLiteral("Променено име от А на Б")}, QStringLiteral("17")),
             QStringLiteral("Променено име от А на Б\r\nКартон номер :17\r\n"));
    QCOMPARE(MemberAdditionText(RowOf(Stored())), QStringLiteral("Добавяне на член със име Мария Иванова"));
    QCOMPARE(MemberDeletionText(Stored(), QStringLiteral("17")),
             QStringLiteral("Изтриване на Съпруга с име Мария Иванова с картон номер :17"));
    QCOMPARE(CardCreationText(QStringLiteral("8")), QStringLiteral("Създаване на картон с регистрационен номер 8"));
  }

  void placementHistory_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("storedNumber");
    QTest::addColumn<QDate>("storedDate");  // invalid for NULL
    QTest::addColumn<QString>("newNumber");
    QTest::addColumn<QDate>("newDate");
    QTest::addColumn<QString>("text");
    const QString before = QStringLiteral("стар ред\r\n");
    const QString tail = QStringLiteral(" е сменена на дата 10.06.2024 09:30:00 от потребител clerk\r\n");
    const QDate feb(2020, 2, 1);
    QTest::newRow("new card") << 0 << QString() << QDate() << QStringLiteral("15") << feb
                              << QStringLiteral("стар ред");
    QTest::newRow("unchanged") << 1 << QStringLiteral("12") << feb << QStringLiteral(" 12 ") << feb << before;
    QTest::newRow("number changed") << 1 << QStringLiteral("12") << feb << QStringLiteral("15") << feb
                                    << before + QStringLiteral("Заповед № 12 от 01.02.2020г.") + tail;
    QTest::newRow("date changed") << 1 << QStringLiteral("12") << feb << QStringLiteral("12") << QDate(2020, 2, 2)
                                  << before + QStringLiteral("Заповед № 12 от 01.02.2020г.") + tail;
    QTest::newRow("no stored number") << 1 << QString() << QDate() << QStringLiteral("15") << feb << before;
    QTest::newRow("stored date missing") << 1 << QStringLiteral("12") << QDate() << QStringLiteral("12") << feb
                                         << before + QStringLiteral("Заповед № 12 от ") + tail;
  }
  void placementHistory() {
    QFETCH(int, mode);
    QFETCH(QString, storedNumber);
    QFETCH(QDate, storedDate);
    QFETCH(QString, newNumber);
    QFETCH(QDate, newDate);
    QFETCH(QString, text);
    CardForm form;
    form.mZapHistory = {QStringLiteral("стар ред")};
    form.edNastZap = newNumber;
    form.dtNastZap = DateValue(newDate);
    StoredPlacement stored{storedNumber, storedDate.isValid() ? std::optional<QDate>(storedDate) : std::nullopt};
    const PlacementHistory history = PlacementHistoryText(mode, stored, form, QDateTime(QDate(2024, 6, 10), QTime(9, 30)),
                                                          QStringLiteral("clerk"));
    QCOMPARE(history.text, text);
    QCOMPARE(history.appended, text.contains(QStringLiteral("Заповед")));
  }

  void memoLines() {
    QCOMPARE(MemoLines(MemoText({QStringLiteral("а"), QString(), QStringLiteral("б ")})),
             (QStringList{QStringLiteral("а"), QString(), QStringLiteral("б ")}));
    QCOMPARE(MemoLines(QStringLiteral("а\nб")), (QStringList{QStringLiteral("а"), QStringLiteral("б")}));
    QVERIFY(MemoLines(QString()).isEmpty());
  }
};

QTEST_APPLESS_MAIN(TestCardSaveHistory)
#include "test_card_save_history.moc"
