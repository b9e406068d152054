// Saving a card over a real register: numbering new cards, the card's columns and which of
// them keep their stored value, members of new and existing cards with their history, the
// placement history, loading back, failures that leave nothing behind and two workstations
// saving new cards at the same moment.
#include <QtTest>
#include <memory>

#include "card/card_load.h"
#include "card/card_save.h"
#include "card/card_stamp.h"
#include "card/card_text_fields.h"
#include "card/members.h"
#include "card_forms.h"
#include "core/clock.h"
#include "core/egn_rules.h"
#include "data/card_table.h"
#include "data/data_module.h"
#include "data/firebird/statement.h"
#include "data/person_table.h"
#include "recording_messages.h"
#include "temp_register.h"
#include "test_egn.h"

namespace {
const QDateTime kNow(QDate(2024, 6, 10), QTime(9, 30));
const QString kRegistered = QStringLiteral("Данните са регистрирани успешно!");
const QString kUpdated = QStringLiteral("Данните са актуализирани успешно!");

}  // namespace

class TestCardSave : public QObject {
  Q_OBJECT

  std::unique_ptr<TempRegister> register_;
  std::unique_ptr<Clock::FixedNow> now_;
  TDataModule1& Data() { return register_->Data(); }

  SaveOutcome SaveNew(CardForm& form, RecordingMessages& messages) {
    const SaveOutcome outcome = SaveCard(Data(), form, 0, true, 0, {}, nullptr);
    [&] { QVERIFY2(outcome.saved, qPrintable(messages.Texts().join(u'|'))); }();
    return outcome;
  }
  SaveOutcome SaveEdited(Editing& e, int cardId) {
    return SaveCard(Data(), e.form, 1, true, cardId, e.remembered, nullptr);
  }
  // A stored card of three members, loaded for editing.
  int StoredCard() {
    RecordingMessages messages;
    CardForm form = NewForm(Data());
    return SaveNew(form, messages).cardId;
  }

 private slots:
  void init() {
    now_ = std::make_unique<Clock::FixedNow>(kNow);
    register_ = std::make_unique<TempRegister>();
    Data().SetCurrentUser(QStringLiteral("clerk"), 1);
  }
  void cleanup() {
    SetNewCardNumberHook({});
    register_.reset();
    now_.reset();
  }

  // Numbers start at 1 and follow the highest one, gaps are not reused; the creation entry
  // is keyed by the number; members and classification are written with the card.
  void newCards() {
    RecordingMessages messages;
    CardForm form = NewForm(Data());
    const SaveOutcome first = SaveNew(form, messages);
    QCOMPARE(first.regNum, QStringLiteral("1"));
    QCOMPARE(form.ebRegNum, QStringLiteral("1"));
    QCOMPARE(messages.Texts(), QStringList{kRegistered});
    QCOMPARE(first.cardId, Scalar(Data(), QStringLiteral("select CARD_ID from RGS_CARD where REG_NUM = 1")).toInt());
    QCOMPARE(MemberNames(Data(), first.cardId),
             (QStringList{QStringLiteral("Иван Иванов"), QStringLiteral("Петър Иванов"), QStringLiteral("Мария Иванова")}));
    QCOMPARE(Scalar(Data(), QStringLiteral("select count(*) from RGS_PERSON where CARD_ID = ? and PERSON_TYPE = 3"),
                    first.cardId).toInt(), 1);
    // The recompute ran: the single child counts, and points were written.
    QCOMPARE(Scalar(Data(), QStringLiteral("select KIDS from RGS_CARD where CARD_ID = ?"), first.cardId).toInt(), 1);
    QVERIFY(!Scalar(Data(), QStringLiteral("select POINTS from RGS_CARD where CARD_ID = ?"), first.cardId).isNull());

    for (int number : {2, 7})
      Exec(Data(), QStringLiteral("insert into RGS_CARD (REG_NUM, REGDATE, ADRESS, GROUP1, GROUP2, STATUS, ADD_USER) "
                                  "values (?, '01.01.2024', 'ул. Друга', 1, 0, 0, 'x')"), {number});
    CardForm next = NewForm(Data(), QStringLiteral("Георги Георгиев"));
    const SaveOutcome eighth = SaveNew(next, messages);
    QCOMPARE(eighth.regNum, QStringLiteral("8"));
    QVERIFY(eighth.cardId != first.cardId);

    const std::vector<LogEntry> log = CardLog(Data());
    QCOMPARE(log.size(), size_t(2));
    QCOMPARE(log[0].key, 1);
    QCOMPARE(log[0].kind, QStringLiteral("RGS_CARD"));
    QCOMPARE(log[0].text, QStringLiteral("Създаване на картон с регистрационен номер 1"));
    QCOMPARE(log[1].key, 8);
    QCOMPARE(log[1].text, QStringLiteral("Създаване на картон с регистрационен номер 8"));
  }

  // What a save writes reads back as the same card.
  void savedCardLoadsBack() {
    RecordingMessages messages;
    CardForm form = NewForm(Data());
    form.HardLife = true;
    form.CheckBoxAloneParent = true;
    form.edYear = QStringLiteral("2023");
    const SaveOutcome outcome = SaveNew(form, messages);
    CardForm loaded;
    const RememberedCardState remembered = LoadCardForm(Data(), outcome.cardId, loaded);
    QCOMPARE(loaded.ebRegNum, QStringLiteral("1"));
    QCOMPARE(loaded.ebAdress, QStringLiteral("ул. Шипка 1"));
    QCOMPARE(loaded.cbGroup, form.cbGroup);
    QCOMPARE(loaded.cbsubGroup, form.cbsubGroup);
    QCOMPARE(loaded.cbStatus, form.cbStatus);
    QCOMPARE(loaded.cbKart, form.cbKart);
    QCOMPARE(loaded.cbLData, form.cbLData);
    QCOMPARE(loaded.cbLReason, form.cbLReason);
    QCOMPARE(loaded.AddDate, form.AddDate);
    QCOMPARE(loaded.dek_dat, form.dek_dat);
    QCOMPARE(loaded.ebIncome, QStringLiteral("1200.50"));
    QCOMPARE(loaded.ebIncomeHalfYear, QStringLiteral("600.00"));
    QCOMPARE(loaded.ebIncPerPerson, QStringLiteral("100.12"));
    QCOMPARE(loaded.mNotes, form.mNotes);
    QCOMPARE(loaded.doctxt, form.doctxt);
    QCOMPARE(loaded.ebDeals, form.ebDeals);
    QVERIFY(loaded.HardLife);
    QVERIFY(loaded.CheckBoxAloneParent);
    QCOMPARE(loaded.edYear, QStringLiteral("2023"));
    QCOMPARE(loaded.edNastZap, QStringLiteral("12"));
    QCOMPARE(remembered.groupPosition, form.cbGroup.position);
    QCOMPARE(remembered.dek_id, form.dek_id);
    // NULL columns: the protocol's date is the empty date, the address date today.
    Exec(Data(), QStringLiteral("update RGS_CARD set ADRESS_DATE = NULL, PROT_DATE = NULL, INCOME = NULL"));
    LoadCardForm(Data(), outcome.cardId, loaded);
    QCOMPARE(loaded.dtAdress, DateValue(kNow.date()));
    QCOMPARE(loaded.protDate, 0.0001);
    QCOMPARE(loaded.ebIncome, QStringLiteral("0.00"));
  }

  // Saving a just-loaded card writes no history, also a second time, although the members
  // were stored in another order than they are listed in.
  void unchangedSaveWritesNothing() {
    const int cardId = StoredCard();
    const size_t before = CardLog(Data()).size();
    RecordingMessages messages;
    Editing e = Load(Data(), cardId);
    for (int i = 0; i < 2; ++i) {
      const SaveOutcome outcome = SaveEdited(e, cardId);
      QVERIFY(outcome.saved);
      e.remembered = outcome.remembered;
    }
    QCOMPARE(CardLog(Data()).size(), before);
    QCOMPARE(messages.Texts(), (QStringList{kUpdated, kUpdated}));
    QCOMPARE(Load(Data(), cardId).form.members, e.form.members);
  }

  void groupChangeWritesOneEntry() {
    const int cardId = StoredCard();
    const size_t before = CardLog(Data()).size();
    RecordingMessages messages;
    Editing e = Load(Data(), cardId);
    e.form.cbGroup = {3, CodeListItems(Data(), QStringLiteral("GROUP1")).at(3)};
    QVERIFY(SaveEdited(e, cardId).saved);
    const std::vector<LogEntry> log = CardLog(Data());
    QCOMPARE(log.size(), before + 1);
    QCOMPARE(log.back().key, cardId);
    QCOMPARE(log.back().kind, QStringLiteral("RGS_CARD"));
    QCOMPARE(log.back().text, QStringLiteral("Промяна на група от 2.засегнати от ново строителство на "
                                             "4.свободно договаряне на картон с номер : 1"));
    QCOMPARE(Scalar(Data(), QStringLiteral("select GRUPA from RGS_CARD where CARD_ID = ?"), cardId).toInt(), 3);
    QCOMPARE(Scalar(Data(), QStringLiteral("select GROUP1 from RGS_CARD where CARD_ID = ?"), cardId).toInt(), 4);
  }

  void memberNameChange() {
    const int cardId = StoredCard();
    const size_t before = CardLog(Data()).size();
    RecordingMessages messages;
    Editing e = Load(Data(), cardId);
    QCOMPARE(e.form.members[1].name, QStringLiteral("Мария Иванова"));
    e.form.members[1].name = QStringLiteral("Мария Петрова");
    QVERIFY(SaveEdited(e, cardId).saved);
    const std::vector<LogEntry> log = CardLog(Data());
    QCOMPARE(log.size(), before + 1);
    QCOMPARE(log.back().kind, QStringLiteral("RGS_PERSON"));
    QCOMPARE(log.back().key,
             Scalar(Data(), QStringLiteral("select PERSON_ID from RGS_PERSON where NAME = 'Мария Петрова'")).toInt());
    QCOMPARE(log.back().text, QStringLiteral("Променено име от Мария Иванова на Мария Петрова\r\nКартон номер :1\r\n"));
  }

  // Fewer rows than stored members delete the surplus with an entry; more rows add records.
  void rowsOverStoredMembers() {
    const int cardId = StoredCard();
    RecordingMessages messages;
    Editing e = Load(Data(), cardId);
    e.form.members.push_back(Member(QStringLiteral("Друг"), QStringLiteral("Стоян Стоянов"), EgnBornOn(QDate(1950, 4, 4), 4)));
    QVERIFY(SaveEdited(e, cardId).saved);
    QCOMPARE(MemberNames(Data(), cardId).size(), 4);
    QCOMPARE(CardLog(Data()).back().text, QStringLiteral("Добавяне на член със име Стоян Стоянов"));
    QCOMPARE(CardLog(Data()).back().key, cardId);

    e = Load(Data(), cardId);
    e.form.members.push_back(Member(QStringLiteral("Друг"), QStringLiteral("Лиляна Стоянова"), EgnBornOn(QDate(1952, 5, 5), 5)));
    QVERIFY(SaveEdited(e, cardId).saved);
    QCOMPARE(MemberNames(Data(), cardId).size(), 5);
    QCOMPARE(CardLog(Data()).back().text, QStringLiteral("Добавяне на член със име Лиляна Стоянова"));

    e = Load(Data(), cardId);
    const int lastId = Scalar(Data(), QStringLiteral("select max(PERSON_ID) from RGS_PERSON where CARD_ID = ?"), cardId).toInt();
    e.form.members.resize(3);
    const size_t before = CardLog(Data()).size();
    QVERIFY(SaveEdited(e, cardId).saved);
    QCOMPARE(MemberNames(Data(), cardId),
             (QStringList{QStringLiteral("Иван Иванов"), QStringLiteral("Петър Иванов"), QStringLiteral("Мария Иванова")}));
    const std::vector<LogEntry> log = CardLog(Data());
    QCOMPARE(log.size(), before + 2);
    QCOMPARE(log[before].kind, QStringLiteral("RGS_PERSON"));
    QCOMPARE(log[before].text, QStringLiteral("Изтриване на Друг с име Стоян Стоянов с картон номер :1"));
    QCOMPARE(log[before + 1].key, lastId);
    QCOMPARE(log[before + 1].text, QStringLiteral("Изтриване на Друг с име Лиляна Стоянова с картон номер :1"));
  }

  void yearOfInclusion_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("stored");
    QTest::newRow("1970") << QStringLiteral("1970") << 0;
    QTest::newRow("1971") << QStringLiteral("1971") << 1971;
    QTest::newRow("letters") << QStringLiteral("abcd") << 0;
  }
  void yearOfInclusion() {
    QFETCH(QString, typed);
    QFETCH(int, stored);
    const int cardId = StoredCard();
    RecordingMessages messages;
    Editing e = Load(Data(), cardId);
    e.form.edYear = typed;
    QVERIFY(SaveEdited(e, cardId).saved);
    QCOMPARE(Scalar(Data(), QStringLiteral("select POINTS_YEAR from RGS_CARD where CARD_ID = ?"), cardId).toInt(), stored);
  }

  // Conditional columns keep their stored value when the window leaves them empty or
  // unreadable, as a save through the close question can.
  // Texts written only when they hold one: one the clerk loaded and then emptied is stored
  // emptied and recorded in the card's history; one the window never held keeps the stored
  // value, as do amounts that cannot be read and a list that shows nothing.
  void conditionalColumns() {
    const int cardId = StoredCard();
    Exec(Data(), QStringLiteral("update RGS_CARD set PROT_ID = 'П-1', ASSETS = 'нива', CHECK_NAME = 'Петров', "
                                "LASTDEK_ID = 'Д-5', LASTDEK_DATE = '01.03.2024', L_CONDITIONS = 'влажно'"));
    const QString columns = QStringLiteral("INCOME_HALF_YEAR, INCOME, DEALS, ASSETS, CHECK_NAME, DOC_IDTXT, PROT_ID, "
                                           "NOTES, L_DATA, GOT_HOUSE, LASTDEK_ID, L_CONDITIONS");
    auto stored = [&] {
      Statement query(Data().Db(), QStringLiteral("select %1 from RGS_CARD where CARD_ID = ?").arg(columns));
      query.Bind(0, cardId);
      query.Open();
      QVariantList row;
      if (query.Next())
        for (int i = 0; i < 12; ++i) row << (query.IsNull(i) ? QVariant() : QVariant(query.Value(i).toString().trimmed()));
      query.Close();
      return row;
    };
    auto clearAll = [](CardForm& form) {
      form.ebIncomeHalfYear = QStringLiteral("шестстотин");
      form.ebIncome = QStringLiteral("1.2.3");
      for (QString* text : {&form.ebDeals, &form.ebAssets, &form.ebCheck, &form.doctxt, &form.pr, &form.dek_id,
                            &form.ebLCond})
        text->clear();
      form.mNotes.clear();
      form.cbLData = {-1, QString()};
      form.ebGot = QStringLiteral("   ");  // always written: trimmed to nothing, stored as NULL
    };
    RecordingMessages messages;

    // A window that never held these texts (nothing loaded to compare with) keeps them.
    Editing e = Load(Data(), cardId);
    const QVariantList before = stored();
    e.remembered.loaded = CardForm();
    clearAll(e.form);
    QVERIFY(SaveEdited(e, cardId).saved);
    QVariantList kept = before;
    kept[9] = QVariant();  // GOT_HOUSE
    QCOMPARE(stored(), kept);
    QCOMPARE(before.mid(0, 3), (QVariantList{QStringLiteral("600"), QStringLiteral("1200.5"), QStringLiteral("няма")}));
    QCOMPARE(before.mid(3, 5), (QVariantList{QStringLiteral("нива"), QStringLiteral("Петров"), QStringLiteral("Вх-7"),
                                            QStringLiteral("П-1"), QStringLiteral("първи ред\r\nвтори ред")}));

    // The clerk empties what the window loaded: stored emptied, each recorded once.
    const size_t logBefore = CardLog(Data()).size();
    e = Load(Data(), cardId);
    clearAll(e.form);
    QVERIFY(SaveEdited(e, cardId).saved);
    QCOMPARE(stored(), (QVariantList{QStringLiteral("600"), QStringLiteral("1200.5"), {}, {}, {}, {}, {}, {},
                                     QStringLiteral("3"), {}, {}, {}}));
    QStringList texts;
    const std::vector<LogEntry> log = CardLog(Data());
    for (size_t i = logBefore; i < log.size(); ++i) texts << log[i].text;
    const QString card = QStringLiteral(" на картон с номер : 1");
    QCOMPARE(texts, (QStringList{
                        QStringLiteral("Промяна на последно подадена декларация от Д-5 на") + card,
                        QStringLiteral("Изтриване на Заявление входящ. № (Вх-7)") + card,
                        QStringLiteral("Изтриване на Прот.от комисия № (П-1)") + card,
                        QStringLiteral("Изтриване на Коментар за жилището (влажно)") + card,
                        QStringLiteral("Изтриване на Проверил (Петров)") + card,
                        QStringLiteral("Изтриване на Собств. и/или др. вещни права (нива)") + card,
                        QStringLiteral("Изтриване на Сделки с недвиж. имоти, отказ от наследство (няма)") + card,
                        QStringLiteral("Изтриване на Бележки (първи ред\r\nвтори ред)") + card,
                    }));
    // The window now holds nothing there: saving again changes and records nothing more.
    e = Load(Data(), cardId);
    QVERIFY(SaveEdited(e, cardId).saved);
    QCOMPARE(CardLog(Data()).size(), log.size());
  }

  void placementOrderHistory() {
    const int cardId = StoredCard();
    Exec(Data(), QStringLiteral("update RGS_CARD set NAST_ZAP = '12', NAST_ZAP_DATE = '01.02.2020', "
                                "NAST_ZAP_HISTORY = NULL"));
    RecordingMessages messages;
    const QString line = QStringLiteral("Заповед № 12 от 01.02.2020г. е сменена на дата 10.06.2024 09:30:00 "
                                        "от потребител clerk");
    Editing e = Load(Data(), cardId);
    e.form.edNastZap = QStringLiteral("15");
    QVERIFY(SaveEdited(e, cardId).saved);
    QCOMPARE(e.form.mZapHistory, QStringList{line});
    auto history = [&] {
      return Scalar(Data(), QStringLiteral("select NAST_ZAP_HISTORY from RGS_CARD where CARD_ID = ?"), cardId).toString();
    };
    QCOMPARE(history(), line + QStringLiteral("\r\n"));

    // Unchanged number and date: the memo is written back, nothing is appended.
    e = Load(Data(), cardId);
    QVERIFY(SaveEdited(e, cardId).saved);
    QCOMPARE(history(), line + QStringLiteral("\r\n"));

    // A stored number without a date: one line with an empty date, then nothing more.
    Exec(Data(), QStringLiteral("update RGS_CARD set NAST_ZAP_DATE = NULL"));
    e = Load(Data(), cardId);
    QVERIFY(SaveEdited(e, cardId).saved);
    e = Load(Data(), cardId);
    QVERIFY(SaveEdited(e, cardId).saved);
    QCOMPARE(history(), line + QStringLiteral("\r\nЗаповед № 15 от  е сменена на дата 10.06.2024 09:30:00 "
                                              "от потребител clerk\r\n"));
  }

  // A refused save undoes everything it wrote, shows the server's message and leaves the
  // form as it was; a later save works.
  void failureRollsBack() {
    const int cardId = StoredCard();
    const size_t before = CardLog(Data()).size();
    RecordingMessages messages;
    Editing e = Load(Data(), cardId);
    e.form.cbGroup = {3, CodeListItems(Data(), QStringLiteral("GROUP1")).at(3)};
    e.form.members[0].name = QStringLiteral("Друго Име");
    e.form.edNastZap = QStringLiteral("99");
    e.form.ebAdress = QStringLiteral("   ");
    const CardForm shown = e.form;
    const SaveOutcome outcome = SaveEdited(e, cardId);
    QVERIFY(!outcome.saved);
    QCOMPARE(messages.shown.size(), size_t(1));
    QCOMPARE(messages.shown[0].caption, QStringLiteral("Грешка"));
    QVERIFY2(messages.shown[0].text.contains(QStringLiteral("ADRESS")), qPrintable(messages.shown[0].text));
    QCOMPARE(e.form.mZapHistory, shown.mZapHistory);
    QCOMPARE(e.form.ebAdress, shown.ebAdress);
    QCOMPARE(CardLog(Data()).size(), before);
    QCOMPARE(Scalar(Data(), QStringLiteral("select GRUPA from RGS_CARD where CARD_ID = ?"), cardId).toInt(), 1);
    QVERIFY(Data().MainQuery().IsOpen());

    // A new card refused at its insert leaves no number, no entry and no members behind.
    CardForm fresh = NewForm(Data(), QStringLiteral("Нов Човек"));
    fresh.ebAdress.clear();
    QVERIFY(!SaveCard(Data(), fresh, 0, true, 0, {}, nullptr).saved);
    QVERIFY(fresh.ebRegNum.isEmpty());
    QCOMPARE(Scalar(Data(), QStringLiteral("select count(*) from RGS_CARD")).toInt(), 1);
    QCOMPARE(Scalar(Data(), QStringLiteral("select count(*) from RGS_PERSON")).toInt(), 3);
    QCOMPARE(CardLog(Data()).size(), before);

    e.form.ebAdress = QStringLiteral("ул. Нова 2");
    QVERIFY(SaveEdited(e, cardId).saved);
  }

  // A text longer than its column, or with a character the register cannot store, is refused
  // before anything is written, naming the field; the form keeps what was typed.
  void unstorableTextsRefused_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    const QString tooLong = QStringLiteral("може да съдържа най-много %1 знака, а съдържа %2.");
    QTest::newRow("protocol") << "pr" << QString(31, u'П') << QStringLiteral("Полето \"Прот.от комисия №\" ") + tooLong.arg(30).arg(31);
    QTest::newRow("application") << "doctxt" << QString(26, u'1')
                                 << QStringLiteral("Полето \"Заявление входящ. №\" ") + tooLong.arg(25).arg(26);
    QTest::newRow("member name") << "name" << QString(1000, u'И')
                                 << QStringLiteral("Член на семейството 1 (%1): полето \"Име\" ").arg(QString(40, u'И')) +
                                        tooLong.arg(100).arg(1000);
    QTest::newRow("emoji in check") << "ebCheck" << QStringLiteral("Петров 😀")
                                    << QStringLiteral("Полето \"Проверил\" съдържа знак, който не може да бъде записан: "
                                                      "\"😀\" (U+1F600).");
    QTest::newRow("NUL in notes") << "mNotes" << QStringLiteral("ред%1ред").arg(QChar(0))
                                  << QStringLiteral("Полето \"Бележки\" съдържа знак, който не може да бъде записан: "
                                                    "\"\" (U+0000).");
  }
  void unstorableTextsRefused() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, message);
    const int cardId = StoredCard();
    const size_t logBefore = CardLog(Data()).size();
    RecordingMessages messages;
    Editing e = Load(Data(), cardId);
    e.form.cbGroup = {3, CodeListItems(Data(), QStringLiteral("GROUP1")).at(3)};
    if (field == u"pr") e.form.pr = text;
    if (field == u"doctxt") e.form.doctxt = text;
    if (field == u"name") e.form.members[0].name = text;
    if (field == u"ebCheck") e.form.ebCheck = text;
    if (field == u"mNotes") e.form.mNotes = QStringList{text};
    const CardForm typed = e.form;
    QVERIFY(!SaveEdited(e, cardId).saved);
    QCOMPARE(messages.Texts(), QStringList{message});
    QCOMPARE(e.form, typed);
    QCOMPARE(CardLog(Data()).size(), logBefore);
    QCOMPARE(Scalar(Data(), QStringLiteral("select GRUPA from RGS_CARD where CARD_ID = ?"), cardId).toInt(), 1);
    // A new card is refused the same way and takes no number.
    CardForm fresh = NewForm(Data());
    fresh.pr = QString(31, u'П');
    QVERIFY(!SaveCard(Data(), fresh, 0, true, 0, {}, nullptr).saved);
    QCOMPARE(Scalar(Data(), QStringLiteral("select count(*) from RGS_CARD")).toInt(), 1);
  }

  // The lengths the save checks and the window's fields take (the table homes' length
  // constants) are those of a register made from the schema.
  void textLengthsAreTheColumns() {
    auto columnLength = [&](QLatin1StringView table, QLatin1StringView column) {
      Statement query(Data().Db(), QStringLiteral(
          "select F.RDB$CHARACTER_LENGTH from RDB$RELATION_FIELDS R join RDB$FIELDS F "
          "on F.RDB$FIELD_NAME = R.RDB$FIELD_SOURCE where R.RDB$RELATION_NAME = ? and R.RDB$FIELD_NAME = ?"));
      query.BindAll({QString(table), QString(column)});
      const QVariant length = query.ScalarValue();
      return length.isNull() ? 0 : length.toInt();  // a memo has no length
    };
    for (const CardTextField& field : CardTextFields())
      QVERIFY2(columnLength(card_table::kTable, field.column) == field.length, field.control);
    QCOMPARE(columnLength(card_table::kTable, card_table::kNastZapHistory), card_table::kNastZapHistoryLength);
    for (const MemberTextField& field : MemberTextFields())
      QVERIFY2(columnLength(person_table::kTable, field.column) == field.length, field.control);
  }

  // Read-only mode 1 does nothing at all.
  void readOnlySavesNothing() {
    const int cardId = StoredCard();
    RecordingMessages messages;
    Editing e = Load(Data(), cardId);
    e.form.ebAdress = QStringLiteral("ул. Друга");
    QVERIFY(!SaveCard(Data(), e.form, 1, false, cardId, e.remembered, nullptr).saved);
    QVERIFY(messages.shown.empty());
    QCOMPARE(Scalar(Data(), QStringLiteral("select ADRESS from RGS_CARD")).toString().trimmed(),
             QStringLiteral("ул. Шипка 1"));
  }

  // Another workstation changed the card after it was loaded here: the save is refused with
  // a clear message and writes nothing, so the other change is not undone; loaded again, the
  // card saves. A change of the figures the classification recomputes is no such change.
  void changedElsewhere_data() {
    QTest::addColumn<QString>("otherChange");
    QTest::addColumn<bool>("refused");
    QTest::newRow("state") << "update RGS_CARD set STATUS = 3 where CARD_ID = ?" << true;
    QTest::newRow("member name") << "update RGS_PERSON set NAME = 'Друго Име' where CARD_ID = ? and PERSON_TYPE = 0"
                                 << true;
    QTest::newRow("points only") << "update RGS_CARD set POINTS = 99 where CARD_ID = ?" << false;
  }
  void changedElsewhere() {
    QFETCH(QString, otherChange);
    QFETCH(bool, refused);
    const int cardId = StoredCard();
    Editing e = Load(Data(), cardId);
    e.form.ebAdress = QStringLiteral("ул. Нова 5");

    TDataModule1 other;
    other.Connect(register_->Params());
    Exec(other, otherChange, {cardId});

    RecordingMessages messages;
    const SaveOutcome outcome = SaveEdited(e, cardId);
    QCOMPARE(outcome.saved, !refused);
    const QString address =
        Scalar(Data(), QStringLiteral("select ADRESS from RGS_CARD where CARD_ID = ?"), cardId).toString().trimmed();
    if (!refused) {
      QCOMPARE(address, QStringLiteral("ул. Нова 5"));
      return;
    }
    QCOMPARE(messages.Texts(), QStringList{QString::fromUtf8(kCardChangedElsewhere)});
    QCOMPARE(address, QStringLiteral("ул. Шипка 1"));
    QCOMPARE(e.form.ebAdress, QStringLiteral("ул. Нова 5"));  // the clerk's typing is kept

    Editing again = Load(Data(), cardId);
    again.form.ebAdress = QStringLiteral("ул. Нова 5");
    QVERIFY(SaveEdited(again, cardId).saved);
    QCOMPARE(Scalar(Data(), QStringLiteral("select STATUS from RGS_CARD where CARD_ID = ?"), cardId).toInt(),
             QString(QTest::currentDataTag()) == QLatin1String("state") ? 3 : 0);
  }

  // The register list is open after a save, on the saved card.
  void registerListReopened() {
    const int cardId = StoredCard();
    RecordingMessages messages;
    CardForm other = NewForm(Data(), QStringLiteral("Друг Титуляр"));
    const SaveOutcome second = SaveNew(other, messages);
    QVERIFY(Data().MainQuery().IsOpen());
    QCOMPARE(Data().MainQuery().CurrentValue(QStringLiteral("CARD_ID")).toInt(), second.cardId);
    Editing e = Load(Data(), cardId);
    QVERIFY(SaveEdited(e, cardId).saved);
    QVERIFY(Data().MainQuery().IsOpen());
    QCOMPARE(Data().MainQuery().CurrentValue(QStringLiteral("CARD_ID")).toInt(), cardId);
  }

  // Two workstations take the same number; the unique index refuses the one that writes
  // second, with the server's message, and nothing of it stays.
  void twoWorkstationsAtOnce() {
    TDataModule1 other;
    other.Connect(register_->Params());
    other.SetCurrentUser(QStringLiteral("other"), 2);
    SaveTwoNewCardsAtOnce(Data(), other);
  }
};

QTEST_GUILESS_MAIN(TestCardSave)
#include "test_card_save.moc"
