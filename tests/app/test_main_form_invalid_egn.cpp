// The invalid-EGN view through the main window: the view, its count, the tabs, and the
// grid's click and Enter by rights.
#include <QTabBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "app/main_form.h"
#include "data/data_module.h"
#include "data/firebird/statement.h"
#include "egn/invalid_egn.h"
#include "invalid_egn_cards.h"
#include "register/register_tabs.h"
#include "session/login_record.h"
#include "temp_register.h"

class TestMainFormInvalidEgn : public QObject {
  Q_OBJECT

  QTemporaryDir userFolder_;
  std::unique_ptr<TempRegister> reg_;
  TLogInfoRec record_;
  int corrections_ = 0;
  int cardsOpened_ = 0;

 private slots:
  void initTestCase() {
    qputenv("USERPROFILE", userFolder_.path().toUtf8());
    reg_ = std::make_unique<TempRegister>();
  }
  void cleanupTestCase() { reg_.reset(); }
  void init() {
    ResetInvalidEgnCards(reg_->Data());
    corrections_ = 0;
    cardsOpened_ = 0;
  }

  void viewListsTheHoldersWithoutAValidDate() {
    TDataModule1 data;
    MainFormWindows windows;
    RegisterTabs* tabs = nullptr;
    windows.invalidEgn = [&](QWidget*) { mInvalidClick(data, *tabs); };
    SetRecord(QStringLiteral("USER1"));
    TMainForm form(data, record_, windows);
    tabs = &form.Tabs();
    QVERIFY(form.FormShow());
    form.Tabs().Search(QStringLiteral("and p.NAME containing 'Нули'"), QStringLiteral("Търсене:НУЛИ"), true);

    for (int run = 0; run < 2; ++run) {
      windows.invalidEgn(&form);
      QCOMPARE(form.TabStrip().count(), 3);
      QCOMPARE(form.TabStrip().tabText(2), QStringLiteral("Невалидни ЕГН-та"));
      QCOMPARE(form.TabStrip().currentIndex(), 2);
      QCOMPARE(data.MainQuery().Line(1), QString());
      QCOMPARE(data.MainQuery().RowCount(), 4);
      QCOMPARE(form.StatusText(0), QStringLiteral("4 невалидни ЕГН-та"));
      QCOMPARE(data.InvalidCount, -1);
    }
    QStringList names;
    for (int row = 0; row < data.MainQuery().RowCount(); ++row)
      names << data.MainQuery().Value(row, QStringLiteral("NAME")).toString().trimmed();
    QCOMPARE(names, (QStringList{"Нули Нулев", "Девет Цифри", "С Интервал", "Грешна Контролна"}));

    // Another tab restores the ordinary list.
    QTest::mouseClick(&form.TabStrip(), Qt::LeftButton, {}, form.TabStrip().tabRect(0).center());
    QCOMPARE(data.MainQuery().RowCount(), 5);
    QVERIFY(!data.MainQuery().IsFiltered());
  }

  void clickAndEnterFollowTheRights_data() {
    QTest::addColumn<QString>("rights");
    QTest::addColumn<int>("corrections");  // after a click and an Enter
    QTest::addColumn<int>("cards");
    QTest::newRow("USER2 corrects") << "USER2" << 2 << 0;
    QTest::newRow("USER3 opens the card on Enter") << "USER3" << 0 << 1;
  }
  void clickAndEnterFollowTheRights() {
    QFETCH(QString, rights);
    TDataModule1 data;
    MainFormWindows windows;
    RegisterTabs* tabs = nullptr;
    windows.invalidEgn = [&](QWidget*) { mInvalidClick(data, *tabs); };
    windows.egnCorrection = [this](QWidget*) { ++corrections_; };
    windows.showCard = [this](QWidget*, int, bool) { ++cardsOpened_; };
    SetRecord(rights);
    TMainForm form(data, record_, windows);
    tabs = &form.Tabs();
    QVERIFY(form.FormShow());
    windows.invalidEgn(&form);
    form.show();
    QTableView& grid = form.Grid();
    const QRect cell = grid.visualRect(grid.model()->index(1, 1));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
    QTest::keyClick(&grid, Qt::Key_Return);
    QTEST(corrections_, "corrections");
    QTEST(cardsOpened_, "cards");
  }

 private:
  void SetRecord(const QString& rights) {
    record_.Clear();
    record_.SetDatabasePath(reg_->Params().path);
    record_.SetDatabaseUser(reg_->Params().user);
    record_.SetDatabasePassword(reg_->Params().password);
    record_.SetUserName(QStringLiteral("clerk"));
    record_.SetUserLogin(QStringLiteral("clerk"));
    record_.SetRightsGroup(rights);
  }
};

QTEST_MAIN(TestMainFormInvalidEgn)
#include "test_main_form_invalid_egn.moc"
