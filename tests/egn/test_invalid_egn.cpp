// The invalid-EGN view over an empty register and the correction window offscreen (checks,
// questions, saving with commit-retaining, the keys, a holder deleted meanwhile).
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <memory>

#include "controls.h"
#include "data/data_module.h"
#include "data/firebird/statement.h"
#include "egn/egn_repair_rules.h"
#include "egn/invalid_egn.h"
#include "egn/ui/egn_repair.h"
#include "invalid_egn_cards.h"
#include "recording_messages.h"
#include "register/register_tabs.h"
#include "temp_register.h"

namespace {
const QString kNotTenDigits = QStringLiteral("ЕГН-то не е 10 цифри!");
const QString kQuestion = QStringLiteral("ЕГН-то не отговаря на валидна дата.Желаете ли го запишете?");
const QString kChanged = QStringLiteral("ЕГН-то е сменено.");

QString StoredEgn(TDataModule1& data, const QString& name) {
  Statement query(data.Db(), QStringLiteral("select EGN from RGS_PERSON where NAME = ?"));
  query.Bind(0, name);
  return query.ScalarValue().toString();
}
}  // namespace

class TestInvalidEgn : public QObject {
  Q_OBJECT

  QTemporaryDir userFolder_;
  std::unique_ptr<TempRegister> reg_;

 private slots:
  void initTestCase() {
    qputenv("USERPROFILE", userFolder_.path().toUtf8());
    reg_ = std::make_unique<TempRegister>();
  }
  void cleanupTestCase() { reg_.reset(); }

  void init() { ResetInvalidEgnCards(reg_->Data()); }
  // The shared data module ends its transaction, so the next test sees the fresh cards.
  void cleanup() { reg_->Data().Commit(); }

  void anEmptyRegisterCountsNone() {
    TempRegister empty;
    TDataModule1& data = empty.Data();
    RegisterTabs tabs(data);
    tabs.OpenAtStart();
    QSignalSpy status(&data, &TDataModule1::RecordCountChanged);
    mInvalidClick(data, tabs);
    QCOMPARE(status.last().at(0).toString(), QStringLiteral("0 невалидни ЕГН-та"));
    QCOMPARE(data.MainQuery().RowCount(), 0);
  }
  void correctionWindow() {
    TDataModule1& data = reg_->Data();
    RegisterTabs tabs(data);
    tabs.OpenAtStart();
    mInvalidClick(data, tabs);
    data.MainQuery().SetCurrentRow(0);
    TEGNRepair window(data);
    auto* egn = Control<QLineEdit>(window, "EgnEdit");
    RecordingMessages messages;
    window.show();
    QCOMPARE(window.windowTitle(), QStringLiteral("Редактиране на ЕГН"));
    QCOMPARE(Control<QLabel>(window, "DBText1")->text(), QStringLiteral("Нули Нулев"));
    QCOMPARE(egn->text(), QStringLiteral("0000000000"));
    QCOMPARE(egn->selectedText(), QStringLiteral("0000000000"));

    // Five digits: refused, nothing written, the whole text selected again.
    egn->setText(QStringLiteral("12345"));
    QTest::keyClick(egn, Qt::Key_Return);
    QCOMPARE(messages.Texts(), QStringList{kNotTenDigits});
    QCOMPARE(messages.shown.back().caption, QStringLiteral("Невалидно ЕГН"));
    QCOMPARE(StoredEgn(data, QStringLiteral("Нули Нулев")), QStringLiteral("0000000000"));
    QCOMPARE(egn->selectedText(), QStringLiteral("12345"));

    // A wrong check digit asks, No being the default; No writes nothing, Yes writes.
    egn->setText(QStringLiteral("7501010011"));
    Control<QToolButton>(window, "SpeedButton1")->click();
    QCOMPARE(messages.shown.back().text, kQuestion);
    QCOMPARE(messages.shown.back().buttons, MessageButtons::YesNo);
    QCOMPARE(messages.shown.back().defaultAnswer, MessageAnswer::No);
    QCOMPARE(StoredEgn(data, QStringLiteral("Нули Нулев")), QStringLiteral("0000000000"));
    messages.answers = {MessageAnswer::Yes};
    Control<QToolButton>(window, "SpeedButton1")->click();
    QCOMPARE(messages.Texts().last(), kChanged);
    QCOMPARE(StoredEgn(data, QStringLiteral("Нули Нулев")), QStringLiteral("7501010011"));

    // A valid number is saved without a question; the list stays open where it was and the
    // corrected holder stays listed until a refresh.
    const qsizetype before = messages.shown.size();
    egn->setText(QStringLiteral("7501010010"));
    QTest::keyClick(egn, Qt::Key_Enter);
    QCOMPARE(messages.shown.size(), before + 1);
    QCOMPARE(messages.Texts().last(), kChanged);
    QCOMPARE(messages.shown.back().caption, QStringLiteral("Редактиране на ЕГН"));
    QCOMPARE(StoredEgn(data, QStringLiteral("Нули Нулев")), QStringLiteral("7501010010"));
    QVERIFY(data.MainQuery().IsOpen());
    QCOMPARE(data.MainQuery().RowCount(), 4);
    QCOMPARE(data.MainQuery().CurrentRow(), 0);
    Database other;
    other.Attach(reg_->Params());  // committed: another attachment sees it
    Statement seen(other, QStringLiteral("select count(*) from RGS_PERSON where EGN = '7501010010'"));
    QCOMPARE(seen.ScalarValue().toInt(), 2);
    other.Detach();
  }

  void keysMoveThroughTheList() {
    TDataModule1& data = reg_->Data();
    RegisterTabs tabs(data);
    tabs.OpenAtStart();
    mInvalidClick(data, tabs);
    data.MainQuery().SetCurrentRow(0);
    TEGNRepair window(data);
    auto* egn = Control<QLineEdit>(window, "EgnEdit");
    window.show();
    QTest::keyClick(egn, Qt::Key_Down);
    QCOMPARE(data.MainQuery().CurrentRow(), 1);
    QCOMPARE(egn->text(), QStringLiteral("123456789"));
    egn->setCursorPosition(3);
    QTest::keyClick(egn, Qt::Key_Up);
    QCOMPARE(data.MainQuery().CurrentRow(), 0);
    QTest::keyClicks(egn, QStringLiteral("<"));
    QCOMPARE(data.MainQuery().CurrentRow(), 1);
    QCOMPARE(egn->text(), QStringLiteral("123456789"));  // "<" is not typed
    window.NavClick(TEGNRepair::nbLast);
    QCOMPARE(Control<QLabel>(window, "DBText1")->text(), QStringLiteral("Грешна Контролна"));
    QTest::keyClick(egn, Qt::Key_Down);  // stays on the last row
    QCOMPARE(data.MainQuery().CurrentRow(), 3);
    window.NavClick(TEGNRepair::nbFirst);
    QCOMPARE(egn->text(), QStringLiteral("0000000000"));
    // The navigator's buttons make their own moves.
    const std::pair<const char*, int> moves[] = {{"nbLast", 3}, {"nbPrior", 2}, {"nbNext", 3}, {"nbFirst", 0}};
    for (const auto& [button, row] : moves) {
      Control<QToolButton>(window, QString::fromLatin1(button))->click();
      QVERIFY2(data.MainQuery().CurrentRow() == row, button);
    }
    QCOMPARE(egn->text(), QStringLiteral("0000000000"));
    QTest::keyClick(egn, Qt::Key_Escape);
    QVERIFY(!window.isVisible());
    QCOMPARE(window.result(), int(QDialog::Rejected));
  }

  void okOpensTheCard() {
    TDataModule1& data = reg_->Data();
    RegisterTabs tabs(data);
    tabs.OpenAtStart();
    mInvalidClick(data, tabs);
    TEGNRepair window(data);
    int opened = 0;
    QTimer::singleShot(0, &window, [&] { Control<QToolButton>(window, "SpeedButton2")->click(); });
    ShowEgnRepair(window, [&] { ++opened; });
    QCOMPARE(opened, 1);
    QTimer::singleShot(0, &window, [&] { QTest::keyClick(Control<QLineEdit>(window, "EgnEdit"), Qt::Key_Escape); });
    ShowEgnRepair(window, [&] { ++opened; });
    QCOMPARE(opened, 1);
  }

  // A holder deleted since the list was read: nothing shown, nothing written, a message.
  void aDeletedHolderIsNeverOverwritten() {
    TDataModule1& data = reg_->Data();
    RegisterTabs tabs(data);
    tabs.OpenAtStart();
    mInvalidClick(data, tabs);
    data.MainQuery().SetCurrentRow(1);
    const int personId = data.MainQuery().CurrentValue(QStringLiteral("PERSON_ID")).toInt();
    Statement remove(data.Db(), QStringLiteral("delete from RGS_PERSON where PERSON_ID = ?"));
    remove.Bind(0, personId);
    remove.Execute();
    data.CommitRetaining();
    TEGNRepair window(data);
    auto* egn = Control<QLineEdit>(window, "EgnEdit");
    RecordingMessages messages;
    window.show();
    QVERIFY(egn->text().isEmpty());
    egn->setText(QStringLiteral("7501010010"));
    window.OKClick();
    QCOMPARE(messages.Texts(), QStringList{QStringLiteral("Лицето вече не е в базата данни. ЕГН-то не е записано.")});
    QVERIFY(!SavePersonEgn(data, personId, QStringLiteral("7501010010")));
    Statement count(data.Db(), QStringLiteral("select count(*) from RGS_PERSON where EGN = '7501010010'"));
    QCOMPARE(count.ScalarValue().toInt(), 1);
  }
};

QTEST_MAIN(TestInvalidEgn)
#include "test_invalid_egn.moc"
