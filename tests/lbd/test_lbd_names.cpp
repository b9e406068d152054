// Names from the population database: which stored names differ, saving the population
// database's name into exactly the chosen row (never an empty or foreign one), and the window
// offscreen with its empty list, messages and rebuilds.
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>
#include <memory>

#include "controls.h"
#include "data/card_table.h"
#include "data/firebird/statement.h"
#include "lbd/lbd_names.h"
#include "lbd/person_info.h"
#include "lbd/ui/lbd_names_form.h"
#include "population_fixture.h"
#include "recording_messages.h"
#include "temp_register.h"
#include "test_card.h"

namespace {
const QString kNothingFound = QStringLiteral("Не са намерени никакви съвпадащи ЕГН-та с различаващи се имена от ЛБД");

int InsertPerson(TDataModule1& data, int cardId, const QString& name, const QString& egn, int type) {
  Statement insert(data.Db(), QStringLiteral(
      "insert into RGS_PERSON (CARD_ID, NAME, EGN, PERSON_TYPE) values (?, ?, ?, ?) returning PERSON_ID"));
  insert.BindAll({cardId, name, egn, type});
  insert.Execute();
  return insert.Value(0).toInt();
}

int InsertCard(TDataModule1& data, int regNum) {
  return TestCard(regNum)
      .Set(card_table::kRegDate, QDate(2021, 3, 15))
      .Set(card_table::kAdress, QStringLiteral("ул. Първа 1"))
      .Set(card_table::kGroup1, 1)
      .Set(card_table::kAddUser, QStringLiteral("clerk"))
      .Insert(data);
}

QString StoredName(TDataModule1& data, int personId) {
  Statement query(data.Db(), QStringLiteral("select NAME from RGS_PERSON where PERSON_ID = ?"));
  query.Bind(0, personId);
  return query.ScalarValue().toString().trimmed();
}

QStringList ListedEgns(const std::vector<LbdNameRow>& rows) {
  QStringList egns;
  for (const LbdNameRow& row : rows) egns << row.egn + u'/' + row.storedName;
  return egns;
}
}  // namespace

class TestLbdNames : public QObject {
  Q_OBJECT

  std::unique_ptr<TempRegister> register_;
  std::unique_ptr<PopulationFixture> store_;
  int twinFirst_ = 0;
  int twinSecond_ = 0;
  TDataModule1& Data() { return register_->Data(); }

 private slots:
  void nameDiffers_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("full");
    QTest::addColumn<bool>("differs");
    QTest::newRow("equal") << "Иван Петров Иванов" << "Иван Петров Иванов" << false;
    QTest::newRow("trailing blanks") << "Иван Петров Иванов     " << "Иван Петров Иванов" << false;
    QTest::newRow("longer stored name") << "Мария Иванова Петрова-Колева" << "Мария Иванова Петрова" << false;
    QTest::newRow("letter case") << "иван петров иванов" << "Иван Петров Иванов" << true;
    QTest::newRow("shorter stored name") << "Иван Петров" << "Иван Петров Иванов" << true;
    QTest::newRow("other order") << "Иванов Иван Петров" << "Иван Петров Иванов" << true;
    QTest::newRow("no middle name, stored with one") << "Иван Петров Иванов" << "Иван  Иванов" << true;
    QTest::newRow("no middle name, stored alike") << "Иван  Иванов" << "Иван  Иванов" << false;
    QTest::newRow("empty stored name") << "" << "Иван Петров Иванов" << true;
  }
  void nameDiffers() {
    QFETCH(QString, stored);
    QFETCH(QString, full);
    QTEST(LbdNameDiffers(stored, full), "differs");
    TPersonInfo person(nullptr);
    const QStringList parts = full.split(u' ');
    person.FirstName = parts[0];
    person.MiddleName = parts[1];
    person.LastName = parts[2];
    QTEST(LbdNameDiffers(stored, person), "differs");
  }

  void initTestCase() { register_ = std::make_unique<TempRegister>(); }
  void cleanupTestCase() { register_.reset(); }

  // Every test starts from the same two cards and their population records.
  void init() {
    store_ = std::make_unique<PopulationFixture>();
    TDataModule1& data = Data();
    data.BeginWrite();
    data.Db().ExecuteImmediate(QStringLiteral("delete from RGS_PERSON"));
    data.Db().ExecuteImmediate(QStringLiteral("delete from RGS_CARD"));
    const int card = InsertCard(data, 1);
    InsertPerson(data, card, QStringLiteral("Иван Петров Иванов"), QStringLiteral("7501010010"), 0);
    InsertPerson(data, card, QStringLiteral("Мария Иванова Петрова-Колева"), QStringLiteral("8002020020"), 2);
    InsertPerson(data, card, QStringLiteral("Непознат Човек"), QStringLiteral("0101010010"), 4);
    const int other = InsertCard(data, 2);
    twinFirst_ = InsertPerson(data, other, QStringLiteral("Анна Борисова"), QStringLiteral("6505050050"), 0);
    twinSecond_ = InsertPerson(data, other, QStringLiteral("Ана Борисова"), QStringLiteral("6505050050"), 4);
    data.Commit();
    store_->AddName(QStringLiteral("7501010010"), QStringLiteral("Иван"), QStringLiteral("Петров"), QStringLiteral("Иванов"));
    store_->AddName(QStringLiteral("8002020020"), QStringLiteral("Мария"), QStringLiteral("Иванова"),
                    QStringLiteral("Петрова"));
    store_->AddName(QStringLiteral("6505050050"), QStringLiteral("Ана"), QStringLiteral("Борисова"),
                    QStringLiteral("Колева"));
  }
  void cleanup() {
    store_.reset();
    Data().Commit();
  }

  // Two rows share a number: both listed; saving the second changes the second only, and the
  // first stays listed.
  void savingChangesTheChosenRowOnly() {
    TPersonInfo person;
    std::vector<LbdNameRow> rows = FindDifferingNames(Data(), person);
    QCOMPARE(ListedEgns(rows), (QStringList{"6505050050/Анна Борисова", "6505050050/Ана Борисова"}));
    QCOMPARE(rows[1].lbdName, QStringLiteral("Ана Борисова Колева"));
    QCOMPARE(SaveLbdName(Data(), person, rows[1]), LbdNameSave::Saved);
    QCOMPARE(StoredName(Data(), twinSecond_), QStringLiteral("Ана Борисова Колева"));
    QCOMPARE(StoredName(Data(), twinFirst_), QStringLiteral("Анна Борисова"));
    rows = FindDifferingNames(Data(), person);
    QCOMPARE(ListedEgns(rows), QStringList{"6505050050/Анна Борисова"});
  }

  void aLetterCaseDifferenceIsListed() {
    Statement lower(Data().Db(), QStringLiteral("update RGS_PERSON set NAME = 'иван петров иванов' where EGN = '7501010010'"));
    lower.Execute();
    TPersonInfo person;
    QVERIFY(ListedEgns(FindDifferingNames(Data(), person)).contains(QStringLiteral("7501010010/иван петров иванов")));
  }

  // Saving re-checks the row: deleted, renumbered or unknown to the population database, it
  // writes nothing.
  void savingWritesNothingWhenTheRowNoLongerHolds() {
    {
      TPersonInfo person;
      const std::vector<LbdNameRow> rows = FindDifferingNames(Data(), person);
      Statement renumber(Data().Db(), QStringLiteral("update RGS_PERSON set EGN = '7501010010' where PERSON_ID = ?"));
      renumber.Bind(0, twinFirst_);
      renumber.Execute();
      QCOMPARE(SaveLbdName(Data(), person, rows[0]), LbdNameSave::EgnChanged);
      QCOMPARE(StoredName(Data(), twinFirst_), QStringLiteral("Анна Борисова"));

      Statement remove(Data().Db(), QStringLiteral("delete from RGS_PERSON where PERSON_ID = ?"));
      remove.Bind(0, twinSecond_);
      remove.Execute();
      QCOMPARE(SaveLbdName(Data(), person, rows[1]), LbdNameSave::PersonGone);
    }
    // The population database gives no name for the number any more. (A person object may keep
    // the store open for reading until it is let go, so the store changes between objects, as
    // it would between two saves of the window.)
    store_->AddName(QStringLiteral("7501010010"), QString(), QString(), QString());
    TPersonInfo person;
    QCOMPARE(SaveLbdName(Data(), person, {twinFirst_, QStringLiteral("7501010010"), {}, {}}), LbdNameSave::NoLbdName);
    QCOMPARE(StoredName(Data(), twinFirst_), QStringLiteral("Анна Борисова"));
  }

  // A name longer than the register's column is refused with a message, never cut.
  void aNameTooLongIsNotSaved() {
    store_->AddName(QStringLiteral("6505050050"), QString(40, u'А'), QString(40, u'Б'), QString(40, u'В'));
    TPersonInfo person;
    QCOMPARE(SaveLbdName(Data(), person, {twinFirst_, QStringLiteral("6505050050"), {}, {}}), LbdNameSave::NameTooLong);
    QCOMPARE(StoredName(Data(), twinFirst_), QStringLiteral("Анна Борисова"));
    QCOMPARE(LbdNameSaveMessage(LbdNameSave::NameTooLong),
             QStringLiteral("Името от Локална База Данни е по-дълго от 100 знака. Името не е променено."));
  }

  void windowSavesAndRebuilds() {
    TLbdNamesForm form(Data());
    auto* save = Control<QPushButton>(form, "bSave");
    auto* names = Control<QTableWidget>(form, "slNames");
    RecordingMessages messages;
    form.show();
    QCOMPARE(names->rowCount(), 2);
    QCOMPARE(names->item(1, 0)->text(), QStringLiteral("2"));
    QCOMPARE(names->item(1, 3)->text(), QStringLiteral("Ана Борисова Колева"));
    // Every column and its title fit in the table, none runs past its right edge.
    const QHeaderView* header = names->horizontalHeader();
    QVERIFY(header->length() <= names->viewport()->width());
    QVERIFY(header->sectionSize(3) > names->fontMetrics().horizontalAdvance(QStringLiteral("Име от ЛБД")) + 8);
    QVERIFY(save->isEnabled());
    names->setCurrentCell(1, 2);
    emit names->cellDoubleClicked(1, 2);
    QCOMPARE(messages.Texts(), QStringList{QStringLiteral("Името е променено!")});
    QCOMPARE(messages.shown.back().caption, QStringLiteral("Потвърждение"));
    QCOMPARE(StoredName(Data(), twinSecond_), QStringLiteral("Ана Борисова Колева"));
    QCOMPARE(names->rowCount(), 1);
    QCOMPARE(names->item(0, 2)->text(), QStringLiteral("Анна Борисова"));
    // The list is read again in the same transaction, which the save kept open.
    QVERIFY(Data().Tr().IsActive());

    save->click();
    QCOMPARE(StoredName(Data(), twinFirst_), QStringLiteral("Ана Борисова Колева"));
    // Nothing left: one empty row numbered 1, no saving, the message with its error icon.
    QCOMPARE(messages.Texts().last(), kNothingFound);
    QCOMPARE(messages.shown.back().caption, QStringLiteral("Греша"));
    QCOMPARE(messages.shown.back().icon, MessageIcon::Error);
    QCOMPARE(names->rowCount(), 1);
    QCOMPARE(names->item(0, 0)->text(), QStringLiteral("1"));
    QVERIFY(names->item(0, 1)->text().isEmpty() && names->item(0, 3)->text().isEmpty());
    QVERIFY(!save->isEnabled());

    // A double-click on the empty list saves nothing and compares again.
    const qsizetype shown = messages.shown.size();
    emit names->cellDoubleClicked(0, 1);
    QCOMPARE(messages.shown.size(), shown + 1);
    QCOMPARE(messages.Texts().last(), kNothingFound);
    form.close();
  }

  void windowWithoutLibraryShowsTheErrorAndAnEmptyList() {
    qputenv("TESARO_POPULATION_LIBRARY", "/nonexistent/libPersInfoLib.so");
    TLbdNamesForm form(Data());
    RecordingMessages messages;
    form.show();
    QCOMPARE(messages.Texts(), QStringList{QStringLiteral("НЯМА ВРЪЗКА С ЛБД!")});
    QCOMPARE(Control<QTableWidget>(form, "slNames")->rowCount(), 1);
    QVERIFY(!Control<QPushButton>(form, "bSave")->isEnabled());
    QVERIFY(form.isVisible());
    form.close();
  }
};

QTEST_MAIN(TestLbdNames)
#include "test_lbd_names.moc"
