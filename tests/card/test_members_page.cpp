// The members page offscreen: the placeholder row and counts, the panel's visibility, the
// enabled states of the member buttons, the disability box and the change signal.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QToolButton>
#include <QtTest>

#include "card/ui/members_page.h"
#include "controls.h"
#include "core/clock.h"
#include "core/egn_rules.h"
#include "data/card_table.h"
#include "data/firebird/statement.h"
#include "data/person_table.h"
#include "recording_messages.h"
#include "temp_register.h"
#include "test_card.h"
#include "ui/date_edit.h"

namespace {
const QString kHolderEgn = QStringLiteral("7501010004");
const QString kChildEgn = QStringLiteral("1046010007");

void FillPanel(TMembersPage& page, const QString& name, int type, const QString& egn) {
  Control<QLineEdit>(page, "FirstName")->setText(name);
  Control<QComboBox>(page, "PersonType")->setCurrentIndex(type);
  Control<QLineEdit>(page, "PersonEGN")->setText(egn);
}

QString Cell(const TMembersPage& page, int row, int column) {
  const QTableWidgetItem* item = Control<QTableWidget>(page, "FamilyList")->item(row, column);
  return item ? item->text() : QString();
}
}  // namespace

class TestMembersPage : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QVERIFY(EGNIsValid(kHolderEgn) && EGNIsValid(kChildEgn)); }

  void gridLayout() {
    TMembersPage page;
    QCOMPARE(Control<QTableWidget>(page, "FamilyList")->columnCount(), 8);
    QCOMPARE(Control<QTableWidget>(page, "FamilyList")->horizontalHeaderItem(7)->text(),
             QStringLiteral("Експертно решение на ТЕЛК"));
    QCOMPARE(Control<QTableWidget>(page, "FamilyList")->columnWidth(1), 211);
    QCOMPARE(Control<QTableWidget>(page, "FamilyList")->editTriggers(), QAbstractItemView::NoEditTriggers);
    QCOMPARE(Control<QPushButton>(page, "Modify")->text(), QStringLiteral("Редактирай  лицето"));
    QCOMPARE(Control<QComboBox>(page, "PersonType")->count(), 5);
  }

  // A very long name does not push the personal number and the other columns out of sight: its
  // column stops at a cap and the whole name is in the cell's tooltip.
  void longNameColumnIsCappedWithTooltip() {
    TMembersPage page;
    page.ClearForNewCard();
    const QString name = QStringLiteral("Мария-Магдалена Антоанета Константинова-Христозова ") + QString(40, u'Я');
    FillPanel(page, name, 0, kHolderEgn);
    Control<QPushButton>(page, "Add")->click();
    auto* grid = Control<QTableWidget>(page, "FamilyList");
    QCOMPARE(Cell(page, 0, 1), name);
    QCOMPARE(grid->item(0, 1)->toolTip(), name);
    QVERIFY(grid->fontMetrics().horizontalAdvance(name) > grid->columnWidth(1));
    QVERIFY2(grid->columnWidth(1) <= 320, qPrintable(QString::number(grid->columnWidth(1))));
    QVERIFY(grid->columnWidth(1) >= 211);
  }

  void newCardGetsItsHolderThenMembers() {
    RecordingMessages messages;
    TMembersPage page;
    page.ClearForNewCard();
    QSignalSpy modified(&page, &TMembersPage::Modified);
    QCOMPARE(Control<QTableWidget>(page, "FamilyList")->rowCount(), 1);
    QCOMPARE(Cell(page, 0, 0), QStringLiteral("Титуляр"));
    QVERIFY(page.MembersEmpty() && page.Rows().empty());
    QCOMPARE(Control<QLineEdit>(page, "FamilyCount")->text(), QStringLiteral("0"));
    QVERIFY(!Control<QPushButton>(page, "Modify")->isEnabled() && !Control<QPushButton>(page, "Delete")->isEnabled());

    FillPanel(page, QStringLiteral("Петър"), 3, kChildEgn);  // a child cannot be first
    Control<QPushButton>(page, "Add")->click();
    QCOMPARE(messages.Texts(), QStringList{QStringLiteral("Моля въведете валиден тип за член на домакинство")});
    QCOMPARE(modified.count(), 0);
    QVERIFY(page.MembersEmpty());

    FillPanel(page, QStringLiteral("Иван Иванов"), 0, kHolderEgn);
    Control<QPushButton>(page, "Add")->click();
    QCOMPARE(modified.count(), 1);
    QVERIFY(!page.MembersEmpty());
    QCOMPARE(Control<QTableWidget>(page, "FamilyList")->rowCount(), 1);
    QCOMPARE(Cell(page, 0, 1), QStringLiteral("Иван Иванов"));
    QCOMPARE(Control<QLineEdit>(page, "FamilyCount")->text(), QStringLiteral("1"));
    QVERIFY(Control<QPushButton>(page, "Modify")->isEnabled());
    QVERIFY(!Control<QPushButton>(page, "Delete")->isEnabled());

    FillPanel(page, QStringLiteral("Петър"), 3, kChildEgn);
    Control<QPushButton>(page, "Add")->click();
    QCOMPARE(modified.count(), 2);
    QCOMPARE(Control<QLineEdit>(page, "FamilyCount")->text(), QStringLiteral("2"));
    QCOMPARE(Control<QLineEdit>(page, "FamilyKids")->text(), QString::number(page.CountKidsUnder18()));
    QVERIFY(Control<QPushButton>(page, "Delete")->isEnabled());
    QVERIFY(Control<QLineEdit>(page, "FirstName")->text().isEmpty());  // the panel is emptied after an addition

    Control<QTableWidget>(page, "FamilyList")->setCurrentCell(1, 0);
    Control<QPushButton>(page, "Delete")->click();
    QCOMPARE(modified.count(), 3);
    QCOMPARE(Control<QTableWidget>(page, "FamilyList")->rowCount(), 1);
    QVERIFY(!Control<QPushButton>(page, "Delete")->isEnabled());
  }

  void panelVisibility() {
    TMembersPage page;
    page.ClearForNewCard();
    QVERIFY(Control<QGroupBox>(page, "gbFamilyMember")->isHidden());
    Control<QToolButton>(page, "sbShowHide")->click();
    QVERIFY(Control<QToolButton>(page, "sbShowHide")->isChecked());
    QVERIFY(!Control<QGroupBox>(page, "gbFamilyMember")->isHidden());
    Control<QToolButton>(page, "sbShowHide")->click();
    QVERIFY(Control<QGroupBox>(page, "gbFamilyMember")->isHidden());

    // Selecting a cell fills and shows the panel and puts the button down.
    Control<QTableWidget>(page, "FamilyList")->setCurrentCell(0, 2);
    QVERIFY(!Control<QGroupBox>(page, "gbFamilyMember")->isHidden());
    QVERIFY(Control<QToolButton>(page, "sbShowHide")->isChecked());
    QCOMPARE(Control<QComboBox>(page, "PersonType")->currentIndex(), 0);
  }

  void loadedCardAndDisabilityBox() {
    Clock::FixedNow now(QDateTime(QDate(2024, 5, 15), QTime(10, 0)));
    TempRegister reg;
    TDataModule1& data = reg.Data();
    const int cardId = TestCard(1)
                           .Set(card_table::kRegDate, QDate(2021, 2, 1))
                           .Set(card_table::kAdress, QStringLiteral("ул. Шипка 1"))
                           .Set(card_table::kGroup1, 1)
                           .Set(card_table::kAddUser, QStringLiteral("clerk"))
                           .Person(QStringLiteral("Иван Иванов"), kHolderEgn, 0,
                                   {{person_table::kSocGroup, 3},
                                    {person_table::kInvProc, 90},
                                    {person_table::kInvDate, QStringLiteral("15.05.5025")},
                                    {person_table::kTelkNum, QStringLiteral("1/2000")}})
                           .Insert(data);
    data.CommitRetaining();

    TMembersPage page;
    page.FillSocialGroups(data);
    page.SetCardContext(&data, cardId);
    page.LoadCard(data, cardId);
    QCOMPARE(page.Rows().size(), size_t(1));
    QCOMPARE(Control<QLineEdit>(page, "FamilyCount")->text(), QStringLiteral("1"));
    QVERIFY(Control<QPushButton>(page, "Modify")->isEnabled() &&
            Control<QPushButton>(page, "Delete")->isEnabled());  // every load of a stored card
    QVERIFY(Control<QGroupBox>(page, "gbFamilyMember")->isHidden());

    Control<QTableWidget>(page, "FamilyList")->setCurrentCell(0, 1);
    QCOMPARE(Control<QComboBox>(page, "cbSocGrupa")->currentIndex(), 3);
    QVERIFY(!Control<QGroupBox>(page, "gbInvalid")->isHidden());
    QVERIFY(Control<QCheckBox>(page, "pojiz")->isChecked());
    QVERIFY(!Control<TAODateTimePicker>(page, "val_do")->isEnabled());
    QCOMPARE(Control<QLineEdit>(page, "proc_inv")->text(), QStringLiteral("90"));

    Control<QComboBox>(page, "cbSocGrupa")->setCurrentIndex(1);
    QVERIFY(Control<QGroupBox>(page, "gbInvalid")->isHidden());
    Control<QComboBox>(page, "cbSocGrupa")->setCurrentIndex(3);
    QVERIFY(!Control<QGroupBox>(page, "gbInvalid")->isHidden());

    Control<QCheckBox>(page, "pojiz")->click();  // untick: the date edit comes back with today
    QVERIFY(Control<TAODateTimePicker>(page, "val_do")->isEnabled());
    QCOMPARE(ToQDate(Control<TAODateTimePicker>(page, "val_do")->DateTime()), QDate(2024, 5, 15));

    // Unchanged EGN, new name: accepted, the change is signalled.
    RecordingMessages messages;
    QSignalSpy modified(&page, &TMembersPage::Modified);
    Control<QLineEdit>(page, "FirstName")->setText(QStringLiteral("Иван Петров"));
    Control<QPushButton>(page, "Modify")->click();
    QVERIFY(messages.shown.empty());
    QCOMPARE(modified.count(), 1);
    QCOMPARE(page.Rows()[0].name, QStringLiteral("Иван Петров"));
    QCOMPARE(page.Rows()[0].validUntil, QStringLiteral("15.05.2024"));
    QVERIFY(
        !Control<QPushButton>(page, "Delete")->isEnabled());  // a stored member leaves one member: nothing to remove

    Control<QLineEdit>(page, "PersonEGN")->setText(QStringLiteral("' or ''='"));
    Control<QLineEdit>(page, "FirstName")->clear();
    Control<QPushButton>(page, "ButtonFillPrs")->click();
    QVERIFY(Control<QLineEdit>(page, "FirstName")->text().isEmpty());
    Control<QLineEdit>(page, "PersonEGN")->setText(kHolderEgn);
    Control<QPushButton>(page, "ButtonFillPrs")->click();
    QCOMPARE(Control<QLineEdit>(page, "FirstName")->text(), QStringLiteral("Иван Иванов"));  // the stored name
  }

  // A click on a row shows and refills the panel, also on the cell that is already current;
  // each loaded card starts with no current cell left over from the one before.
  void everyClickOfARowShowsThePanel() {
    TempRegister reg;
    TDataModule1& data = reg.Data();
    auto card = [&](int regNum, const QString& holder, const QString& egn) {
      return TestCard(regNum).Person(holder, egn, 0).Insert(data);
    };
    const int first = card(1, QStringLiteral("Иван Иванов"), kHolderEgn);
    const int second = card(2, QStringLiteral("Петър Петров"), kChildEgn);
    data.CommitRetaining();

    TMembersPage page;
    page.resize(900, 500);
    page.show();
    auto* grid = Control<QTableWidget>(page, "FamilyList");
    auto* panel = Control<QGroupBox>(page, "gbFamilyMember");
    auto clickHolder = [&] {
      QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(grid->item(0, 1)).center());
    };
    page.SetCardContext(&data, first);
    page.LoadCard(data, first);
    clickHolder();
    QVERIFY(!panel->isHidden());
    QCOMPARE(Control<QLineEdit>(page, "FirstName")->text(), QStringLiteral("Иван Иванов"));

    // Hidden and typed over, the same cell clicked again shows the member again.
    Control<QToolButton>(page, "sbShowHide")->click();
    QVERIFY(panel->isHidden());
    Control<QLineEdit>(page, "FirstName")->setText(QStringLiteral("друго"));
    clickHolder();
    QVERIFY(!panel->isHidden());
    QCOMPARE(Control<QLineEdit>(page, "FirstName")->text(), QStringLiteral("Иван Иванов"));

    page.SetCardContext(&data, second);
    page.LoadCard(data, second);
    QCOMPARE(grid->currentRow(), -1);
    QVERIFY(panel->isHidden());
    clickHolder();
    QVERIFY(!panel->isHidden());
    QCOMPARE(Control<QLineEdit>(page, "FirstName")->text(), QStringLiteral("Петър Петров"));
  }

  void makeHolderSignalsAndRecounts() {
    Clock::FixedNow now(QDateTime(QDate(2024, 5, 15), QTime(10, 0)));
    TMembersPage page;
    page.ClearForNewCard();
    FillPanel(page, QStringLiteral("Иван"), 0, kHolderEgn);
    Control<QPushButton>(page, "Add")->click();
    FillPanel(page, QStringLiteral("Дете"), 3, kChildEgn);
    Control<QPushButton>(page, "Add")->click();
    QCOMPARE(Control<QLineEdit>(page, "FamilyKids")->text(), QStringLiteral("1"));
    QSignalSpy modified(&page, &TMembersPage::Modified);
    Control<QTableWidget>(page, "FamilyList")->setCurrentCell(1, 0);
    Control<QPushButton>(page, "Button1")->click();
    QCOMPARE(modified.count(), 1);
    QCOMPARE(Cell(page, 0, 0), QStringLiteral("Титуляр"));
    QCOMPARE(Cell(page, 0, 2), kChildEgn);
    QCOMPARE(Cell(page, 1, 0), QStringLiteral("Друг"));
    QCOMPARE(Control<QLineEdit>(page, "FamilyKids")->text(), QStringLiteral("0"));
  }
};

QTEST_MAIN(TestMembersPage)
#include "test_members_page.moc"
