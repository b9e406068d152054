// The card window offscreen over a small register: showing in both modes, the lists from the
// code lists, loading, the checks before a save, closing with and without the question,
// opening a card by number and with the navigator, and the printer seam.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QtTest>
#include <memory>

#include "card/card_text_fields.h"
#include "card/ui/members_page.h"
#include "card/ui/view_kart.h"
#include "card/ui/view_kart_print.h"
#include "controls.h"
#include "core/egn_rules.h"
#include "data/firebird/statement.h"
#include "data/person_table.h"
#include "recording_messages.h"
#include "temp_register.h"
#include "ui/date_edit.h"

namespace {
const QString kMembersMessage = QStringLiteral("Моля  въведете членовете на семейството");
const QString kQuestion = QStringLiteral("Искате ли да запазите промените върху картона");

// A personal number with a valid check digit from its first nine digits.
QString ValidEgn(const QString& nine) {
  static const int weights[] = {2, 4, 8, 5, 10, 9, 7, 3, 6};
  int sum = 0;
  for (int i = 0; i < 9; ++i) sum += nine.at(i).digitValue() * weights[i];
  return nine + QString::number(sum % 11 % 10);
}

struct SeedCard {
  int regNum;
  QVariant points;  // null for none
  int lData;
  QString address;
  QString holder;
  QString egnNine;
};

int InsertCard(TDataModule1& data, const SeedCard& card) {
  Statement insert(data.Db(), QStringLiteral(
      "insert into RGS_CARD (REG_NUM, REGDATE, ADRESS, GROUP1, GRUPA, GROUP2, STATUS, ADD_USER, HARD_LIFE, "
      "POINTS, L_DATA, INCOME) values (?, '15.03.2021', ?, 1, 1, 0, 1, 'clerk', 0, ?, ?, 1500.5) "
      "returning CARD_ID"));
  insert.BindAll({card.regNum, card.address, card.points, card.lData});
  insert.Execute();
  const int cardId = insert.Value(0).toInt();
  Statement person(data.Db(), QStringLiteral(
      "insert into RGS_PERSON (CARD_ID, NAME, EGN, PERSON_TYPE, SOCGRUPA) values (?, ?, ?, 0, 0)"));
  person.BindAll({cardId, card.holder, ValidEgn(card.egnNine)});
  person.Execute();
  return cardId;
}

QString StoredAddress(TDataModule1& data, int regNum) {
  Statement query(data.Db(), QStringLiteral("select ADRESS from RGS_CARD where REG_NUM = ?"));
  query.Bind(0, regNum);
  return query.ScalarValue().toString().trimmed();
}
}  // namespace

class TestViewKart : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TempRegister> register_;
  std::unique_ptr<TViewKart> window_;
  TDataModule1& Data() { return register_->Data(); }

  // The window opened as the main window opens it, without waiting for it to close.
  TViewKart& Open(int mode, bool canEdit, int listRow = 0) {
    if (!Data().MainQuery().IsOpen()) Data().MainQuery().Open();
    Data().MainQuery().SetCurrentRow(listRow);
    window_->PrepareShow(mode, canEdit);
    window_->show();
    return *window_;
  }
  void Close() {
    if (window_->isVisible()) Control<QPushButton>(*window_, "Cancel")->click();
  }

 private slots:
  void initTestCase() {
    SetFormImagePrinter([](const QImage&) {});
    register_ = std::make_unique<TempRegister>();
    TDataModule1& data = Data();
    data.SetCurrentUser(QStringLiteral("clerk"), 1);
    data.BeginWrite();
    InsertCard(data, {1, 42, 2, QStringLiteral("ул. Първа 1"), QStringLiteral("Иван Петров"), "750101000"});
    InsertCard(data, {2, QVariant(), 0, QStringLiteral("ул. Втора 2"), QStringLiteral("Мария Иванова"), "800202000"});
    InsertCard(data, {5, 7, 1, QStringLiteral("ул. Пета 5"), QStringLiteral("Петър Колев"), "650303000"});
    // A code list with holes: the list shows the names at 0, 1 and 3 only.
    Statement holes(data.Db(), QStringLiteral("update NOM set LDATA = NULL where N in (2, 4)"));
    holes.Execute();
    data.Commit();
    data.MainQuery().SetOrdering(QStringLiteral("order by REG_NUM"));
    window_ = std::make_unique<TViewKart>(data);
  }
  // A test that left changes behind is not asked about them.
  void cleanup() {
    RecordingMessages messages;
    messages.answers = {MessageAnswer::No};
    Close();
  }
  void cleanupTestCase() {
    SetFormImagePrinter({});
    window_.reset();
    register_.reset();
  }

  void newCardMode() {
    RecordingMessages messages;
    TViewKart& w = Open(0, true);
    QCOMPARE(w.windowTitle(), QStringLiteral("Картотекиране на рег. картон"));
    QCOMPARE(Control<QTabWidget>(w, "PageControl1")->currentIndex(), 0);
    QVERIFY(Control<QLineEdit>(w, "ebRegNum")->text().isEmpty());
    QVERIFY(!Control<QLineEdit>(w, "ebRegNum")->isEnabled());
    QVERIFY(Control<QPushButton>(w, "Load")->isHidden());
    QVERIFY(Control<QWidget>(w, "DBNavigator1")->isHidden());
    QCOMPARE(w.CardId(), 0);
    QVERIFY(w.MembersEmpty());
    QCOMPARE(Control<QLineEdit>(w, "ebIncome")->text(), QStringLiteral("0"));
    QCOMPARE(Control<QLineEdit>(w, "edYearsNoDeclr")->text(), QStringLiteral("0"));
    QVERIFY(Control<QLineEdit>(w, "ebAdress")->text().isEmpty() &&
            Control<QLineEdit>(w, "edPoints")->text().isEmpty() &&
            Control<QPlainTextEdit>(w, "mNotes")->toPlainText().isEmpty());
    for (QComboBox* list :
         {Control<QComboBox>(w, "cbGroup"), Control<QComboBox>(w, "cbsubGroup"), Control<QComboBox>(w, "cbStatus"),
          Control<QComboBox>(w, "cbLData"), Control<QComboBox>(w, "cbTerm")})
      QCOMPARE(list->currentIndex(), 0);
    QCOMPARE(Control<QLabel>(w, "lbIncome")->text(), QStringLiteral("Нетен годишен доход:"));
    QCOMPARE(Control<QLabel>(w, "lbIncomeHalfYear")->text(), QStringLiteral("Нетен доход за 6 месеца"));
    // Hidden controls are there, never shown.
    QVERIFY(Control<QCheckBox>(w, "HardLife")->isHidden() && Control<QCheckBox>(w, "CheckBoxAloneParent")->isHidden() &&
            Control<QLineEdit>(w, "edYearsNoDeclr")->isHidden());
    QVERIFY(!Control<QLineEdit>(w, "edPoints")->isEnabled() && !Control<QLineEdit>(w, "edPointsDescr")->isEnabled() &&
            Control<QLineEdit>(w, "edYear")->isEnabled());
    QVERIFY(!Control<QAction>(w, "N1")->isEnabled());

    // Closing a new card never asks, whatever was typed.
    QTest::keyClicks(Control<QLineEdit>(w, "ebAdress"), QStringLiteral("x"));
    QVERIFY(w.Modified());
    Close();
    QVERIFY(messages.shown.empty());
  }

  // Group missing and no members at once: only the members message, and nothing saved.
  void validationShowsOnlyTheLastMessage() {
    RecordingMessages messages;
    TViewKart& w = Open(0, true);
    Control<QComboBox>(w, "cbGroup")->setCurrentIndex(-1);
    Control<QPushButton>(w, "OK")->click();
    QCOMPARE(messages.Texts(), QStringList{kMembersMessage});
    QCOMPARE(messages.shown.front().caption, QStringLiteral("Грешка при запис"));
    QCOMPARE(messages.shown.front().buttons, MessageButtons::Ok);
    Statement count(Data().Db(), QStringLiteral("select count(*) from RGS_CARD"));
    QCOMPARE(count.ScalarValue().toInt(), 3);
  }

  void listsComeFromTheCodeLists() {
    TViewKart& w = Open(1, true, 0);  // card 1 stores L_DATA 2
    QCOMPARE(Control<QComboBox>(w, "cbLData")->count(), 3);
    QCOMPARE(Control<QComboBox>(w, "cbLData")->itemText(2), QStringLiteral("3.Къща"));
    QCOMPARE(Control<QComboBox>(w, "cbLData")->currentIndex(), 2);
    QCOMPARE(w.ToForm().cbLData, (ListChoice{2, QStringLiteral("3.Къща")}));
    QCOMPARE(Control<QComboBox>(w, "cbGroup")->count(), 5);
    QCOMPARE(Control<QComboBox>(w, "cbStatus")->itemText(4), QStringLiteral("Получил жилище"));
    QCOMPARE(Control<QComboBox>(w, "cbSocGrupa")->count(), 6);
    // "Картотекиран за" shows its longest name whole.
    auto* kart = Control<QComboBox>(w, "cbKart");
    w.resize(1060, 700);  // the window's own size, which a clerk's screen of 1 280 × 720 holds
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(kart->itemText(2), QStringLiteral("Наемане на резервно жилище"));
    QVERIFY(kart->width() > kart->fontMetrics().horizontalAdvance(kart->itemText(2)) + 20);
  }

  void loadsTheListsCurrentCard() {
    TViewKart& w = Open(1, true, 0);
    QCOMPARE(w.windowTitle(), QStringLiteral("Разглеждане/промяна на рег.картон"));
    QCOMPARE(Control<QLineEdit>(w, "ebRegNum")->text(), QStringLiteral("1"));
    QVERIFY(Control<QLineEdit>(w, "ebRegNum")->isEnabled() && !Control<QPushButton>(w, "Load")->isHidden() &&
            !Control<QWidget>(w, "DBNavigator1")->isHidden());
    QCOMPARE(Control<QLineEdit>(w, "ebAdress")->text(), QStringLiteral("ул. Първа 1"));
    QCOMPARE(Control<QLineEdit>(w, "edPoints")->text(), QStringLiteral("42"));
    QCOMPARE(Control<QTableWidget>(w, "FamilyList")->rowCount(), 1);
    QVERIFY(!w.MembersEmpty());
    QCOMPARE(w.RememberedState().groupPosition, 1);
    QCOMPARE(Control<QLabel>(w, "lbIncome")->text(), QStringLiteral("Нетен годишен доход:"));
    QVERIFY(!w.Modified());
  }

  // Moving on drops the previous card's points even when the next card has none.
  void navigatorLoadsTheNextCard() {
    TViewKart& w = Open(1, true, 0);
    QCOMPARE(Control<QToolButton>(w, "nbNext")->toolTip(), QStringLiteral("Следващ картон"));
    QVERIFY(!Control<QToolButton>(w, "nbFirst")->isEnabled());
    QCOMPARE(Control<QLineEdit>(w, "edPoints")->text(), QStringLiteral("42"));
    QTest::keyClicks(Control<QLineEdit>(w, "ebAdress"), QStringLiteral("x"));
    Control<QToolButton>(w, "nbNext")->click();
    QCOMPARE(Data().MainQuery().CurrentRow(), 1);
    QCOMPARE(Control<QLineEdit>(w, "ebRegNum")->text(), QStringLiteral("2"));
    QVERIFY(Control<QLineEdit>(w, "edPoints")->text().isEmpty());
    QVERIFY(!w.Modified());
    Control<QToolButton>(w, "nbLast")->click();
    QCOMPARE(Control<QLineEdit>(w, "ebRegNum")->text(), QStringLiteral("5"));
    QVERIFY(!Control<QToolButton>(w, "nbNext")->isEnabled());
    Control<QToolButton>(w, "nbPrior")->click();
    QCOMPARE(Control<QLineEdit>(w, "ebRegNum")->text(), QStringLiteral("2"));
  }

  void readOnlyOpeningDisablesSaving() {
    RecordingMessages messages;
    TViewKart& w = Open(1, false, 0);
    QVERIFY(!Control<QPushButton>(w, "OK")->isEnabled());
    QTest::keyClicks(Control<QLineEdit>(w, "ebAdress"), QStringLiteral(" 3"));
    QVERIFY(w.Modified());
    Close();
    QVERIFY(messages.shown.empty());  // no question without the right to save
    Open(1, true, 0);
    QVERIFY(Control<QPushButton>(w, "OK")->isEnabled());
  }

  void closingAsksAndNoKeepsTheDatabase() {
    RecordingMessages messages;
    messages.answers = {MessageAnswer::No};
    TViewKart& w = Open(1, true, 0);
    QTest::keyClicks(Control<QLineEdit>(w, "ebAdress"), QStringLiteral(" 3"));
    Close();
    QCOMPARE(messages.Texts(), QStringList{kQuestion});
    QCOMPARE(messages.shown.front().caption, QStringLiteral("Потвърждение"));
    QCOMPARE(messages.shown.front().buttons, MessageButtons::YesNo);
    QCOMPARE(messages.shown.front().defaultAnswer, MessageAnswer::No);
    QCOMPARE(StoredAddress(Data(), 1), QStringLiteral("ул. Първа 1"));
    QVERIFY(Data().MainQuery().IsOpen());
  }

  // A save from "Запис" keeps the window on the card, with the register list open on it so the
  // navigator and "Зареждане" go on working.
  void savingKeepsTheCardAndTheList() {
    RecordingMessages messages;
    TViewKart& w = Open(1, true, 1);  // card 2
    QTest::keyClicks(Control<QLineEdit>(w, "ebAdress"), QStringLiteral(" 7"));
    Control<QPushButton>(w, "OK")->click();
    for (const MessageRequest& shown : messages.shown) QVERIFY(shown.caption != QStringLiteral("Грешка при запис"));
    QVERIFY(!w.Modified());
    QCOMPARE(StoredAddress(Data(), 2), QStringLiteral("ул. Втора 2 7"));
    QCOMPARE(Control<QLineEdit>(w, "ebRegNum")->text(), QStringLiteral("2"));
    QVERIFY(Data().MainQuery().IsOpen());
    QCOMPARE(Data().MainQuery().CurrentValue(QStringLiteral("REG_NUM")).toInt(), 2);
    Control<QToolButton>(w, "nbNext")->click();
    QCOMPARE(Control<QLineEdit>(w, "ebRegNum")->text(), QStringLiteral("5"));
  }

  // "Yes" to the question saves at once, without the checks of "Запис".
  void closingWithYesSavesWithoutTheChecks() {
    RecordingMessages messages;
    messages.answers = {MessageAnswer::Yes};
    TViewKart& w = Open(1, true, 2);  // card 5
    QTest::keyClicks(Control<QLineEdit>(w, "ebAdress"), QStringLiteral(" 9"));
    Control<QLineEdit>(w, "ebIncome")->setText(QStringLiteral("not a number"));
    Close();
    QCOMPARE(messages.shown.front().text, kQuestion);
    for (const MessageRequest& shown : messages.shown) QVERIFY(shown.caption != QStringLiteral("Грешка при запис"));
    QCOMPARE(StoredAddress(Data(), 5), QStringLiteral("ул. Пета 5 9"));
    QVERIFY(Data().MainQuery().IsOpen());
  }

  // A failed save keeps what was typed and the changes: closing asks again, and a save that
  // fails on closing keeps the window open rather than lose the typing.
  void failedSaveKeepsTheTyping() {
    RecordingMessages messages;
    TViewKart& w = Open(1, true, 0);
    Control<QLineEdit>(w, "ebAdress")->setText(QStringLiteral("   "));  // the register refuses an empty address
    QTest::keyClicks(Control<QLineEdit>(w, "pr"), QStringLiteral("P-9"));
    Control<QPushButton>(w, "OK")->click();
    QCOMPARE(messages.shown.size(), size_t(1));
    QCOMPARE(messages.shown.front().caption, QStringLiteral("Грешка"));
    QVERIFY(w.Modified());
    QCOMPARE(Control<QLineEdit>(w, "pr")->text(), QStringLiteral("P-9"));

    messages.answers = {MessageAnswer::Yes};
    Close();
    QCOMPARE(messages.Texts().at(1), kQuestion);
    QCOMPARE(messages.shown.size(), size_t(3));  // the question, then why the save failed
    QVERIFY(w.isVisible());
    QCOMPARE(Control<QLineEdit>(w, "pr")->text(), QStringLiteral("P-9"));

    Control<QLineEdit>(w, "ebAdress")->setText(QStringLiteral("ул. Първа 1"));
    messages.answers = {MessageAnswer::Yes};
    Close();
    QVERIFY(!w.isVisible());
    Statement stored(Data().Db(), QStringLiteral("select PROT_ID from RGS_CARD where REG_NUM = 1"));
    QCOMPARE(stored.ScalarValue().toString(), QStringLiteral("P-9"));
  }

  // Every text field of the card and the member panel holds no more than its column.
  void textFieldsTakeTheirColumnsLength() {
    TViewKart& w = Open(1, true, 0);
    for (const CardTextField& field : CardTextFields()) {
      if (field.length == 0) continue;
      auto* edit = w.findChild<QLineEdit*>(QString::fromLatin1(field.control));
      QVERIFY2(edit && edit->maxLength() == field.length, field.control);
    }
    for (const MemberTextField& field : MemberTextFields()) {
      if (field.column == person_table::kInvDate) continue;  // a date field
      auto* edit = w.findChild<QLineEdit*>(QString::fromLatin1(field.control));
      QVERIFY2(edit && edit->maxLength() == field.length, field.control);
    }
  }

  // Which user actions count as a change of the card.
  void changeTracking_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("modifies");
    QTest::newRow("typing in the income") << "ebIncome" << true;
    QTest::newRow("typing in the notes") << "mNotes" << true;
    QTest::newRow("typing in the half-year income") << "ebIncomeHalfYear" << false;
    QTest::newRow("typing in the year of the list") << "edYear" << false;
    QTest::newRow("choosing a group") << "cbGroup" << true;
    QTest::newRow("choosing a state") << "cbStatus" << true;
    QTest::newRow("choosing a subgroup") << "cbsubGroup" << false;
    QTest::newRow("choosing a term") << "cbTerm" << false;
    QTest::newRow("a member command") << "members" << true;
  }
  void changeTracking() {
    QFETCH(QString, control);
    QFETCH(bool, modifies);
    TViewKart& w = Open(1, true, 0);
    QWidget* widget = w.findChild<QWidget*>(control);
    QVERIFY(widget);
    if (auto* members = qobject_cast<TMembersPage*>(widget)) {
      emit members->Modified();
    } else if (auto* list = qobject_cast<QComboBox*>(widget)) {
      list->setCurrentIndex(1);
      emit list->activated(1);
    } else {
      QTest::keyClicks(widget, QStringLiteral("5"));
    }
    QCOMPARE(w.Modified(), modifies);
  }

  void loadByRegistrationNumber() {
    RecordingMessages messages;
    TViewKart& w = Open(1, true, 0);
    Control<QLineEdit>(w, "ebRegNum")->setText(QStringLiteral("5"));
    QTest::keyClick(Control<QLineEdit>(w, "ebRegNum"), Qt::Key_Return);
    QCOMPARE(Control<QLineEdit>(w, "ebAdress")->text(), StoredAddress(Data(), 5));
    QCOMPARE(Data().MainQuery().CurrentValue(QStringLiteral("REG_NUM")).toInt(), 5);
    QVERIFY(messages.shown.empty());

    Control<QLineEdit>(w, "ebRegNum")->setText(QStringLiteral("999"));
    Control<QPushButton>(w, "Load")->click();
    QCOMPARE(messages.Texts(), QStringList{QStringLiteral("Не същетсвува запис с този регистрационен номер")});
    QCOMPARE(messages.shown.back().caption, QStringLiteral("Грешка"));
    QCOMPARE(Control<QLineEdit>(w, "ebRegNum")->text(), QStringLiteral("5"));
    QCOMPARE(Control<QLineEdit>(w, "ebAdress")->text(), StoredAddress(Data(), 5));

    Control<QLineEdit>(w, "ebRegNum")->setText(QStringLiteral("5а"));
    Control<QPushButton>(w, "Load")->click();
    QCOMPARE(messages.shown.size(), size_t(2));
    QVERIFY(messages.shown.back().text.contains(QStringLiteral("5а")));
    QCOMPARE(Control<QLineEdit>(w, "ebAdress")->text(), StoredAddress(Data(), 5));
  }

  // A failed save keeps what was typed; a saved new card leaves an empty new card behind.
  void savingANewCard() {
    RecordingMessages messages;
    TViewKart& w = Open(0, true);
    Control<QLineEdit>(w, "FirstName")->setText(QStringLiteral("Стоян Стоянов"));
    Control<QComboBox>(w, "PersonType")->setCurrentIndex(0);
    Control<QLineEdit>(w, "PersonEGN")->setText(ValidEgn(QStringLiteral("770707000")));
    Control<QPushButton>(w, "Add")->click();
    QVERIFY(!w.MembersEmpty());
    const QString income = QStringLiteral("1234") + QLocale().decimalPoint() + QStringLiteral("50");
    Control<QLineEdit>(w, "ebIncome")->setText(income);
    Statement count(Data().Db(), QStringLiteral("select count(*) from RGS_CARD"));

    Control<QPushButton>(w, "OK")->click();  // no address: the database refuses the card
    QCOMPARE(messages.shown.size(), size_t(1));
    QVERIFY(messages.shown.front().caption != QStringLiteral("Грешка при запис"));
    QCOMPARE(count.ScalarValue().toInt(), 3);
    QVERIFY(!w.MembersEmpty());
    QCOMPARE(Control<TMembersPage>(w, "members")->Rows().front().name, QStringLiteral("Стоян Стоянов"));
    QCOMPARE(Control<QLineEdit>(w, "ebIncome")->text(), income);

    Control<QLineEdit>(w, "ebAdress")->setText(QStringLiteral("ул. Нова 8"));
    messages.shown.clear();
    Control<QPushButton>(w, "OK")->click();
    QCOMPARE(count.ScalarValue().toInt(), 4);
    QCOMPARE(StoredAddress(Data(), 6), QStringLiteral("ул. Нова 8"));
    QCOMPARE(w.Mode(), 0);
    QVERIFY(w.MembersEmpty());
    QVERIFY(Control<QLineEdit>(w, "ebAdress")->text().isEmpty() && Control<QLineEdit>(w, "ebRegNum")->text().isEmpty());
    QCOMPARE(Control<QLineEdit>(w, "ebIncome")->text(), QStringLiteral("0"));
    QVERIFY(!w.Modified());
  }

  void printingTheFormHandsItsPictureToThePrinter() {
    TViewKart& w = Open(1, true, 0);
    QImage printed;
    SetFormImagePrinter([&](const QImage& image) { printed = image; });
    Control<QToolButton>(w, "sbPrintForm")->click();
    QVERIFY(!printed.isNull());
    QCOMPARE(printed.size(), w.size() * w.devicePixelRatio());
    SetFormImagePrinter([](const QImage&) {});

    QSignalSpy print(&w, &TViewKart::PrintCardRequested);
    Control<QPushButton>(w, "ButtonPrint")->click();
    QCOMPARE(print.count(), 1);
  }
};

QTEST_MAIN(TestViewKart)
#include "test_view_kart.moc"
