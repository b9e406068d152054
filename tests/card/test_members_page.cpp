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

#include "ui/date_edit.h"
#include "card/ui/members_page.h"
#include "data/firebird/statement.h"
#include "core/clock.h"
#include "core/egn_rules.h"
#include "recording_messages.h"
#include "temp_register.h"

namespace {
const QString kHolderEgn = QStringLiteral("7501010004");
const QString kChildEgn = QStringLiteral("1046010007");

void FillPanel(TMembersPage& page, const QString& name, int type, const QString& egn) {
  page.FirstName->setText(name);
  page.PersonType->setCurrentIndex(type);
  page.PersonEGN->setText(egn);
}

QString Cell(const TMembersPage& page, int row, int column) {
  const QTableWidgetItem* item = page.FamilyList->item(row, column);
  return item ? item->text() : QString();
}
}  // namespace

class TestMembersPage : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QVERIFY(EGNIsValid(kHolderEgn) && EGNIsValid(kChildEgn)); }

  void gridLayout() {
    TMembersPage page;
    QCOMPARE(page.FamilyList->columnCount(), 8);
    QCOMPARE(page.FamilyList->horizontalHeaderItem(7)->text(), QStringLiteral("Експертно решение на ТЕЛК"));
    QCOMPARE(page.FamilyList->columnWidth(1), 211);
    QCOMPARE(page.FamilyList->editTriggers(), QAbstractItemView::NoEditTriggers);
    QCOMPARE(page.Modify->text(), QStringLiteral("Редактирай  лицето"));
    QCOMPARE(page.PersonType->count(), 5);
  }

  void newCardGetsItsHolderThenMembers() {
    RecordingMessages messages;
    TMembersPage page;
    page.ClearForNewCard();
    QSignalSpy modified(&page, &TMembersPage::Modified);
    QCOMPARE(page.FamilyList->rowCount(), 1);
    QCOMPARE(Cell(page, 0, 0), QStringLiteral("Титуляр"));
    QVERIFY(page.MembersEmpty() && page.Rows().empty());
    QCOMPARE(page.FamilyCount->text(), QStringLiteral("0"));
    QVERIFY(!page.Modify->isEnabled() && !page.Delete->isEnabled());

    FillPanel(page, QStringLiteral("Петър"), 3, kChildEgn);  // a child cannot be first
    page.AddClick();
    QCOMPARE(messages.Texts(), QStringList{QStringLiteral("Моля въведете валиден тип за член на домакинство")});
    QCOMPARE(modified.count(), 0);
    QVERIFY(page.MembersEmpty());

    FillPanel(page, QStringLiteral("Иван Иванов"), 0, kHolderEgn);
    page.AddClick();
    QCOMPARE(modified.count(), 1);
    QVERIFY(!page.MembersEmpty());
    QCOMPARE(page.FamilyList->rowCount(), 1);
    QCOMPARE(Cell(page, 0, 1), QStringLiteral("Иван Иванов"));
    QCOMPARE(page.FamilyCount->text(), QStringLiteral("1"));
    QVERIFY(page.Modify->isEnabled());
    QVERIFY(!page.Delete->isEnabled());

    FillPanel(page, QStringLiteral("Петър"), 3, kChildEgn);
    page.AddClick();
    QCOMPARE(modified.count(), 2);
    QCOMPARE(page.FamilyCount->text(), QStringLiteral("2"));
    QCOMPARE(page.FamilyKids->text(), QString::number(page.CountKidsUnder18()));
    QVERIFY(page.Delete->isEnabled());
    QVERIFY(page.FirstName->text().isEmpty());  // the panel is emptied after an addition

    page.FamilyList->setCurrentCell(1, 0);
    page.DeleteClick();
    QCOMPARE(modified.count(), 3);
    QCOMPARE(page.FamilyList->rowCount(), 1);
    QVERIFY(!page.Delete->isEnabled());
  }

  void panelVisibility() {
    TMembersPage page;
    page.ClearForNewCard();
    QVERIFY(page.gbFamilyMember->isHidden());
    page.sbShowHide->click();
    QVERIFY(page.sbShowHide->isChecked());
    QVERIFY(!page.gbFamilyMember->isHidden());
    page.sbShowHide->click();
    QVERIFY(page.gbFamilyMember->isHidden());

    // Selecting a cell fills and shows the panel and puts the button down.
    page.FamilyList->setCurrentCell(0, 2);
    QVERIFY(!page.gbFamilyMember->isHidden());
    QVERIFY(page.sbShowHide->isChecked());
    QCOMPARE(page.PersonType->currentIndex(), 0);
  }

  void loadedCardAndDisabilityBox() {
    Clock::FixedNow now(QDateTime(QDate(2024, 5, 15), QTime(10, 0)));
    TempRegister reg;
    TDataModule1& data = reg.Data();
    Statement card(data.Db(), QStringLiteral("insert into RGS_CARD (REG_NUM, REGDATE, ADRESS, GROUP1, GROUP2, STATUS, "
                                             "ADD_USER) values (1, '01.02.2021', 'ул. Шипка 1', 1, 0, 1, 'clerk') "
                                             "returning CARD_ID"));
    card.Execute();
    const int cardId = card.Value(0).toInt();
    Statement person(data.Db(), QStringLiteral("insert into RGS_PERSON (CARD_ID, NAME, EGN, PERSON_TYPE, SOCGRUPA, "
                                               "INV_PROC, INV_DATE, TELK_NUM) values (?, 'Иван Иванов', ?, 0, 3, 90, "
                                               "'15.05.5025', '1/2000')"));
    person.BindAll({cardId, kHolderEgn});
    person.Execute();
    data.CommitRetaining();

    TMembersPage page;
    page.FillSocialGroups(data);
    page.SetCardContext(&data, cardId);
    page.LoadCard(data, cardId);
    QCOMPARE(page.Rows().size(), size_t(1));
    QCOMPARE(page.FamilyCount->text(), QStringLiteral("1"));
    QVERIFY(page.Modify->isEnabled() && page.Delete->isEnabled());  // every load of a stored card
    QVERIFY(page.gbFamilyMember->isHidden());

    page.FamilyList->setCurrentCell(0, 1);
    QCOMPARE(page.cbSocGrupa->currentIndex(), 3);
    QVERIFY(!page.gbInvalid->isHidden());
    QVERIFY(page.pojiz->isChecked());
    QVERIFY(!page.val_do->isEnabled());
    QCOMPARE(page.proc_inv->text(), QStringLiteral("90"));

    page.cbSocGrupa->setCurrentIndex(1);
    QVERIFY(page.gbInvalid->isHidden());
    page.cbSocGrupa->setCurrentIndex(3);
    QVERIFY(!page.gbInvalid->isHidden());

    page.pojiz->click();  // untick: the date edit comes back with today
    QVERIFY(page.val_do->isEnabled());
    QCOMPARE(ToQDate(page.val_do->DateTime()), QDate(2024, 5, 15));

    // Unchanged EGN, new name: accepted, the change is signalled.
    RecordingMessages messages;
    QSignalSpy modified(&page, &TMembersPage::Modified);
    page.FirstName->setText(QStringLiteral("Иван Петров"));
    page.ModifyClick();
    QVERIFY(messages.shown.empty());
    QCOMPARE(modified.count(), 1);
    QCOMPARE(page.Rows()[0].name, QStringLiteral("Иван Петров"));
    QCOMPARE(page.Rows()[0].validUntil, QStringLiteral("15.05.2024"));
    QVERIFY(!page.Delete->isEnabled());  // a stored member leaves one member: nothing to remove

    page.PersonEGN->setText(QStringLiteral("' or ''='"));
    page.FirstName->clear();
    page.ButtonFillPrsClick();
    QVERIFY(page.FirstName->text().isEmpty());
    page.PersonEGN->setText(kHolderEgn);
    page.ButtonFillPrsClick();
    QCOMPARE(page.FirstName->text(), QStringLiteral("Иван Иванов"));  // the stored name
  }

  void makeHolderSignalsAndRecounts() {
    Clock::FixedNow now(QDateTime(QDate(2024, 5, 15), QTime(10, 0)));
    TMembersPage page;
    page.ClearForNewCard();
    FillPanel(page, QStringLiteral("Иван"), 0, kHolderEgn);
    page.AddClick();
    FillPanel(page, QStringLiteral("Дете"), 3, kChildEgn);
    page.AddClick();
    QCOMPARE(page.FamilyKids->text(), QStringLiteral("1"));
    QSignalSpy modified(&page, &TMembersPage::Modified);
    page.FamilyList->setCurrentCell(1, 0);
    page.Button1Click();
    QCOMPARE(modified.count(), 1);
    QCOMPARE(Cell(page, 0, 0), QStringLiteral("Титуляр"));
    QCOMPARE(Cell(page, 0, 2), kChildEgn);
    QCOMPARE(Cell(page, 1, 0), QStringLiteral("Друг"));
    QCOMPARE(page.FamilyKids->text(), QStringLiteral("0"));
  }
};

QTEST_MAIN(TestMembersPage)
#include "test_members_page.moc"
