// The register list after a card's save: the saved card's row shows what was saved, in its
// place and with its row number, and the rest of the list stands as a whole opening would
// show it, without the list being fetched again; lists the save cannot put a card into in
// place are opened again as before.
#include <QSignalSpy>
#include <QtTest>
#include <memory>

#include "card/card_save.h"
#include "card_forms.h"
#include "core/clock.h"
#include "data/data_module.h"
#include "recording_messages.h"
#include "register/register_grid_model.h"
#include "temp_register.h"

namespace {
const QDateTime kNow(QDate(2024, 6, 10), QTime(9, 30));
const QString kAllCondition = QStringLiteral("and P.PERSON_TYPE = 0 ");
const QString kByRegNum = QStringLiteral(" order by Reg_Num");

// Every row as a grid shows it, and the blob fields besides, for comparing with an opening.
QStringList Shown(ListQuery& list) {
  QStringList rows;
  for (int row = 0; row < list.RowCount(); ++row) {
    QStringList cells;
    for (int field = 0; field < list.FieldCount(); ++field) cells << list.DisplayText(row, field);
    rows << cells.join(u'|');
  }
  return rows;
}

// The list as a fresh opening with the same statement shows it.
QStringList ShownByOpening(const ConnectionParams& params, ListQuery& kept) {
  TDataModule1 other;
  other.Connect(params);
  ListQuery& list = other.MainQuery();
  list.SetCondition(kept.Line(1));
  list.SetOrdering(kept.Line(2));
  list.Open();
  return Shown(list);
}
}  // namespace

class TestCardSaveList : public QObject {
  Q_OBJECT

  std::unique_ptr<TempRegister> register_;
  std::unique_ptr<Clock::FixedNow> now_;
  TDataModule1& Data() { return register_->Data(); }
  ListQuery& List() { return Data().MainQuery(); }

  int SaveNewCard(const QString& holder, const QString& address = QStringLiteral("ул. Шипка 1")) {
    CardForm form = NewForm(Data(), holder);
    form.ebAdress = address;
    const SaveOutcome outcome = SaveCard(Data(), form, 0, true, 0, {}, nullptr);
    [&] { QVERIFY(outcome.saved); }();
    return outcome.cardId;
  }
  bool SaveAddress(int cardId, const QString& address, const QStringList& notes = {}) {
    Editing e = Load(Data(), cardId);
    e.form.ebAdress = address;
    if (!notes.isEmpty()) e.form.mNotes = notes;
    return SaveCard(Data(), e.form, 1, true, cardId, e.remembered, nullptr).saved;
  }
  void OpenList(const QString& condition, const QString& ordering = kByRegNum) {
    List().Close();
    List().SetCondition(condition);
    List().SetOrdering(ordering);
    List().Open();
  }

 private slots:
  void init() {
    now_ = std::make_unique<Clock::FixedNow>(kNow);
    register_ = std::make_unique<TempRegister>();
    Data().SetCurrentUser(QStringLiteral("clerk"), 1);
  }
  void cleanup() {
    register_.reset();
    now_.reset();
  }

  // An existing card's save changes its row in place: no opening, the grid shows the new
  // address and notes on the same row, the current row and the count stay, and the whole list
  // reads as an opening would show it (the blobs of rows fetched before the save included).
  void existingCardChangesInPlace() {
    RecordingMessages messages;
    std::vector<int> cards;
    for (const QString& name : {QStringLiteral("Анна"), QStringLiteral("Борис"), QStringLiteral("Васил"),
                                QStringLiteral("Галя")})
      cards.push_back(SaveNewCard(name));
    OpenList(kAllCondition);
    RegisterGridModel grid(List());
    List().SetCurrentRow(2);
    QSignalSpy opened(&List(), &ListQuery::Opened);
    QSignalSpy closed(&List(), &ListQuery::Closed);
    QSignalSpy counts(&Data(), &TDataModule1::RecordCountChanged);
    QSignalSpy gridReset(&grid, &QAbstractItemModel::modelReset);

    QVERIFY(SaveAddress(cards[2], QStringLiteral("бул. Нов 7"), {QStringLiteral("бележка след запис")}));
    QCOMPARE(opened.count() + closed.count() + gridReset.count(), 0);
    QCOMPARE(counts.count(), 0);
    QCOMPARE(List().RowCount(), 4);
    QCOMPARE(List().CurrentRow(), 2);
    QCOMPARE(List().CurrentValue(QStringLiteral("CARD_ID")).toInt(), cards[2]);
    QCOMPARE(grid.data(grid.index(2, 12), Qt::DisplayRole).toString(), QStringLiteral("бул. Нов 7"));
    QCOMPARE(List().Value(2, QStringLiteral("NOTES")).toString(), QStringLiteral("бележка след запис"));
    QCOMPARE(Shown(List()), ShownByOpening(register_->Params(), List()));
    // A second save of the same card, and one of another card, still need no opening.
    QVERIFY(SaveAddress(cards[0], QStringLiteral("ул. Първа 1")));
    QVERIFY(SaveAddress(cards[2], QStringLiteral("бул. Нов 8")));
    QCOMPARE(opened.count(), 0);
    QCOMPARE(List().CurrentRow(), 2);
    QCOMPARE(Shown(List()), ShownByOpening(register_->Params(), List()));
  }

  // A new card lands after the highest number with its row number, becomes the current row
  // and the count follows; a card saved meanwhile by another workstation is left to F5.
  void newCardLandsInItsPlace() {
    RecordingMessages messages;
    SaveNewCard(QStringLiteral("Анна"));
    SaveNewCard(QStringLiteral("Борис"));
    OpenList(kAllCondition);
    RegisterGridModel grid(List());
    QSignalSpy opened(&List(), &ListQuery::Opened);
    QSignalSpy counts(&Data(), &TDataModule1::RecordCountChanged);
    QSignalSpy inserted(&grid, &QAbstractItemModel::rowsInserted);

    TDataModule1 other;
    other.Connect(register_->Params());
    other.SetCurrentUser(QStringLiteral("other"), 2);
    CardForm elsewhere = NewForm(other, QStringLiteral("Другаде"));
    QVERIFY(SaveCard(other, elsewhere, 0, true, 0, {}, nullptr).saved);

    const int cardId = SaveNewCard(QStringLiteral("Васил"));
    QCOMPARE(opened.count(), 0);
    QCOMPARE(inserted.count(), 1);
    QCOMPARE(List().RowCount(), 3);
    QCOMPARE(List().CurrentRow(), 2);
    QCOMPARE(List().CurrentValue(QStringLiteral("CARD_ID")).toInt(), cardId);
    QCOMPARE(List().Value(2, QStringLiteral("REG_NUM")).toInt(), 4);
    QCOMPARE(grid.data(grid.index(2, 0), Qt::DisplayRole).toString(), QStringLiteral("3"));
    QCOMPARE(counts.count(), 1);
    QCOMPARE(counts.last().at(0).toString(), QStringLiteral("3 записа"));

    // F5: the other workstation's card shows, in its place before this one's.
    OpenList(kAllCondition);
    QCOMPARE(List().RowCount(), 4);
    QCOMPARE(List().Value(2, QStringLiteral("REG_NUM")).toInt(), 3);
    QVERIFY(List().Locate(QStringLiteral("CARD_ID"), cardId));
    QCOMPARE(List().CurrentRow(), 3);
  }

  // Under a condition, a card that comes to meet it is inserted between the cards around its
  // number and the row numbers below it move; one that stops meeting it leaves, and the current
  // row goes to the card after it as a reopening on the same row number would.
  void cardsEnterAndLeaveACondition() {
    RecordingMessages messages;
    const QString street = QStringLiteral("ул. Търсена 5");
    std::vector<int> cards;
    for (int i = 0; i < 5; ++i)
      cards.push_back(SaveNewCard(QStringLiteral("Титуляр %1").arg(i), i % 2 == 0 ? street : QStringLiteral("друг")));
    OpenList(kAllCondition + QStringLiteral("and C.ADRESS = '") + street + u'\'');
    RegisterGridModel grid(List());
    QSignalSpy opened(&List(), &ListQuery::Opened);
    QSignalSpy counts(&Data(), &TDataModule1::RecordCountChanged);
    QCOMPARE(List().RowCount(), 3);  // numbers 1, 3, 5

    QVERIFY(SaveAddress(cards[1], street));  // number 2 joins
    QCOMPARE(List().RowCount(), 4);
    QCOMPARE(List().RowOfCard(cards[1]), 1);
    QCOMPARE(List().CurrentRow(), 1);
    QCOMPARE(List().RowOfCard(cards[4]), 3);
    QCOMPARE(grid.rowCount(), 4);
    QCOMPARE(grid.data(grid.index(3, 0), Qt::DisplayRole).toString(), QStringLiteral("4"));
    QCOMPARE(counts.last().at(0).toString(), QStringLiteral("4 записа"));
    QCOMPARE(Shown(List()), ShownByOpening(register_->Params(), List()));

    List().SetCurrentRow(2);  // number 3
    QVERIFY(SaveAddress(cards[2], QStringLiteral("изнесен")));
    QCOMPARE(List().RowCount(), 3);
    QCOMPARE(List().RowOfCard(cards[2]), -1);
    QCOMPARE(List().CurrentRow(), 2);
    QCOMPARE(List().CurrentValue(QStringLiteral("CARD_ID")).toInt(), cards[4]);
    QCOMPARE(grid.rowCount(), 3);
    QCOMPARE(counts.last().at(0).toString(), QStringLiteral("3 записа"));
    QCOMPARE(Shown(List()), ShownByOpening(register_->Params(), List()));
    QCOMPARE(opened.count(), 0);
  }

  // A list not ordered by number (the ranked list), filtered while fetched or showing the
  // saved card on two rows (two holders) is opened again after a save, as before, and stands
  // on the saved card with its new values on every row.
  void otherListsOpenAgain_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("ordered by name") << QStringLiteral("name");
    QTest::newRow("filtered") << QStringLiteral("filtered");
    QTest::newRow("two holders") << QStringLiteral("two holders");
  }
  void otherListsOpenAgain() {
    QFETCH(QString, kind);
    RecordingMessages messages;
    const int first = SaveNewCard(QStringLiteral("Яна"));
    SaveNewCard(QStringLiteral("Ангел"));
    if (kind == QLatin1String("two holders"))
      Exec(Data(), QStringLiteral("insert into RGS_PERSON (CARD_ID, NAME, EGN, PERSON_TYPE) values (?, 'Втори', "
                                  "'7001010000', 0)"),
           {first});
    if (kind == QLatin1String("filtered")) {
      OpenList(kAllCondition);
      List().Close();
      List().SetFilter([](const Statement&) { return true; });
      List().Open();
    } else {
      OpenList(kAllCondition, kind == QLatin1String("name") ? QStringLiteral("order by NAME") : kByRegNum);
    }
    QSignalSpy opened(&List(), &ListQuery::Opened);
    QVERIFY(SaveAddress(first, QStringLiteral("ул. Друга 2")));
    QCOMPARE(opened.count(), 1);
    QCOMPARE(List().CurrentValue(QStringLiteral("CARD_ID")).toInt(), first);
    for (int row = 0; row < List().RowCount(); ++row)
      if (List().Value(row, QStringLiteral("CARD_ID")).toInt() == first)
        QCOMPARE(List().Value(row, QStringLiteral("ADRESS")).toString().trimmed(), QStringLiteral("ул. Друга 2"));
    QCOMPARE(List().RowCount(), kind == QLatin1String("two holders") ? 3 : 2);
  }

  // A save that fails leaves the list as it stood, readable, on the same row.
  void failedSaveKeepsTheList() {
    RecordingMessages messages;
    const int first = SaveNewCard(QStringLiteral("Анна"));
    SaveNewCard(QStringLiteral("Борис"));
    OpenList(kAllCondition);
    List().SetCurrentRow(1);
    const QStringList before = Shown(List());
    Editing e = Load(Data(), first);
    Exec(Data(), QStringLiteral("update RGS_CARD set ADRESS = 'промяна другаде' where CARD_ID = ?"), {first});
    OpenList(kAllCondition);
    List().SetCurrentRow(1);
    const QStringList shown = Shown(List());
    e.form.ebAdress = QStringLiteral("моята промяна");
    QVERIFY(!SaveCard(Data(), e.form, 1, true, first, e.remembered, nullptr).saved);
    QVERIFY(List().IsOpen());
    QCOMPARE(List().CurrentRow(), 1);
    QCOMPARE(Shown(List()), shown);
    QVERIFY(before != shown);
  }
};

QTEST_GUILESS_MAIN(TestCardSaveList)
#include "test_card_save_list.moc"
