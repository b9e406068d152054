// The main window over a real register, offscreen: opening the work and signing in, the
// refusal of an unknown user, searching from the panel, opening cards by rights, the status
// menu, refresh and signing out.
#include <QLineEdit>
#include <QMenu>
#include <QTabBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <QStyledItemDelegate>
#include <QtTest>

#include "app/main_form.h"
#include "controls.h"
#include "data/data_module.h"
#include "data/firebird/db_error.h"
#include "data/firebird/statement.h"
#include "recording_messages.h"
#include "search/ui/search_panel.h"
#include "session/login_record.h"
#include "temp_register.h"

namespace {
void AddCard(Database& db, int regNum, int status, const QString& name) {
  Statement card(db, QStringLiteral("insert into RGS_CARD (REG_NUM, REGDATE, ADRESS, GROUP1, GRUPA, GROUP2, STATUS, "
                                    "ADD_USER) values (?,?,'ул. Роза 5',2,1,0,?,'Default') returning CARD_ID"));
  card.BindAll({regNum, QDate(2020, 1, 1), status});
  card.Execute();
  Statement person(db, QStringLiteral("insert into RGS_PERSON (CARD_ID, NAME, EGN, PERSON_TYPE) values (?,?,?,0)"));
  person.BindAll({card.Value(0), name, QStringLiteral("7501010004")});
  person.Execute();
}

int Count(const ConnectionParams& params, const QString& sql) {
  Database db;
  db.Attach(params);
  Statement count(db, sql);
  return count.ScalarValue().toInt();
}

// Types text the way a user does, one key event per character (Cyrillic included).
void TypeText(QWidget* widget, const QString& text) {
  for (QChar c : text) QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

struct Opened {
  int mode = -1;
  bool canEdit = false;
  int calls = 0;
};
}  // namespace

class TestMainForm : public QObject {
  Q_OBJECT
 private:
  QTemporaryDir userFolder_;
  std::unique_ptr<TempRegister> reg_;
  TLogInfoRec record_;

  void SignAs(const QString& user, const QString& rights) {
    record_.Clear();
    record_.SetDatabasePath(reg_->Params().path);
    record_.SetDatabaseUser(reg_->Params().user);
    record_.SetDatabasePassword(reg_->Params().password);
    record_.SetUserName(user);
    record_.SetUserLogin(user);
    record_.SetRightsGroup(rights);
  }

 private slots:
  void initTestCase() { qputenv("USERPROFILE", userFolder_.path().toUtf8()); }

  void init() {
    reg_ = std::make_unique<TempRegister>();
    Database db;
    db.Attach(reg_->Params());
    db.ExecuteImmediate(QStringLiteral("insert into USERS (NAME) values ('clerk')"));
    AddCard(db, 2, 1, QStringLiteral("Иванова Мария"));
    AddCard(db, 1, 2, QStringLiteral("Петров Петър"));
    AddCard(db, 3, 1, QStringLiteral("Д'Арк Жана"));
    db.Detach();
  }
  void cleanup() { reg_.reset(); }

  void opensTheWorkAndSignsInAndOut() {
    SignAs(QStringLiteral("clerk"), QStringLiteral("USER1"));
    {
      TDataModule1 data;
      TMainForm form(data, record_);
      QVERIFY(form.FormShow());
      QCOMPARE(form.RightsLevel, 1);
      QCOMPARE(form.StatusText(0), QStringLiteral("3 записа"));
      QCOMPARE(form.Grid().model()->rowCount(), 3);
      QCOMPARE(form.Grid().model()->index(0, 0).data().toString(), QStringLiteral("1"));
      QCOMPARE(form.Grid().model()->index(2, 3).data().toString(), QStringLiteral("Д'Арк Жана"));
      QCOMPARE(form.TabStrip().count(), 2);
      QCOMPARE(form.TabStrip().tabText(0), QStringLiteral("Всички"));
      form.tbExitClick();
      QVERIFY(!data.IsConnected());
    }
    QCOMPARE(Count(reg_->Params(), QStringLiteral("select count(*) from INF_LOG where TYPE_T = 'SYSTEM'")), 2);
    QVERIFY(QFile::exists(userFolder_.filePath(QStringLiteral("tesaro.ini"))));
  }

  // From row 1 000 up the row number needs more than the column's first width: it widens so that
  // the largest number is shown whole, not cut to "10…".
  void rowNumberColumnFitsTheLargestNumber() {
    Database db;
    db.Attach(reg_->Params());
    for (int regNum = 4; regNum <= 1200; ++regNum) AddCard(db, regNum, 1, QStringLiteral("Титуляр"));
    db.Detach();
    SignAs(QStringLiteral("clerk"), QStringLiteral("USER1"));
    TDataModule1 data;
    TMainForm form(data, record_);
    QVERIFY(form.FormShow());
    QTableView& grid = form.Grid();
    const QModelIndex last = grid.model()->index(grid.model()->rowCount() - 1, 0);
    QCOMPARE(last.data().toString(), QStringLiteral("1200"));
    QStyleOptionViewItem option;
    option.initFrom(&grid);
    QVERIFY(grid.columnWidth(0) >= grid.itemDelegate()->sizeHint(option, last).width());
    QVERIFY(grid.columnWidth(0) > grid.fontMetrics().horizontalAdvance(QStringLiteral("1200")));
    form.tbExitClick();
  }

  // Until the amounts of a register are converted to euro the administrator is told at start,
  // once, with the command; other clerks, and everyone once it is converted, are not.
  void amountsInLevaAreNoticedToTheAdministrator_data() {
    QTest::addColumn<QString>("rights");
    QTest::addColumn<bool>("converted");
    QTest::addColumn<int>("notices");
    QTest::newRow("administrator, leva") << "USER1" << false << 1;
    QTest::newRow("administrator, euro") << "USER1" << true << 0;
    QTest::newRow("clerk, leva") << "USER2" << false << 0;
  }
  void amountsInLevaAreNoticedToTheAdministrator() {
    QFETCH(QString, rights);
    QFETCH(bool, converted);
    QFETCH(int, notices);
    if (!converted) {
      Database db;
      db.Attach(reg_->Params());
      db.ExecuteImmediate(QStringLiteral("update NOM set S_INFO = null where N = 4"));
      db.DefaultTransaction().Commit();
      db.Detach();
    }
    SignAs(QStringLiteral("clerk"), rights);
    RecordingMessages messages;
    TDataModule1 data;
    TMainForm form(data, record_);
    QVERIFY(form.FormShow());
    const QStringList noticed = messages.Texts().filter(QStringLiteral("tesaro-admin euro"));
    QCOMPARE(noticed.size(), notices);
    if (notices > 0) {
      QVERIFY(!noticed.first().contains(u'\n'));
      QVERIFY(noticed.first().contains(QStringLiteral("в лева")));
    }
    form.tbExitClick();
  }

  void unknownUserIsRefusedWithoutHistory() {
    SignAs(QStringLiteral("stranger"), QStringLiteral("USER1"));
    RecordingMessages messages;
    TDataModule1 data;
    TMainForm form(data, record_);
    QVERIFY(!form.FormShow());
    QVERIFY(messages.Texts().contains(
        QStringLiteral("На потребителя не са предоставени коректни права! Моля предупредете администратора!")));
    data.Disconnect();
    QCOMPARE(Count(reg_->Params(), QStringLiteral("select count(*) from INF_LOG")), 0);
  }

  // A server that cannot be reached, or that refuses the credentials, stops the start with
  // the server's own message; nothing is written and the settings file is not touched.
  void serverRefusalStopsTheStart_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("password");
    QTest::newRow("nothing listens") << QStringLiteral("127.0.0.1/3099:/srv/register.fdb") << QString();
    QTest::newRow("wrong password") << QString() << QStringLiteral("wrong-password");
  }
  void serverRefusalStopsTheStart() {
    QFETCH(QString, path);
    QFETCH(QString, password);
    const std::optional<TestServerLogin> server = LoopbackServer();
    if (path.isEmpty()) {
      if (!server) QSKIP(qPrintable(LoopbackServerMissingReason()));
      path = server->host + QStringLiteral(":") + reg_->Params().path;
    }
    QFile::remove(userFolder_.filePath(QStringLiteral("tesaro.ini")));
    SignAs(QStringLiteral("clerk"), QStringLiteral("USER1"));
    record_.SetDatabasePath(path);
    record_.SetDatabaseUser(QStringLiteral("SYSDBA"));
    record_.SetDatabasePassword(password);
    TDataModule1 data;
    TMainForm form(data, record_);
    try {
      form.FormShow();
      QFAIL("the start went on without a register");
    } catch (const DbError& error) {
      QVERIFY2(!error.Message().isEmpty() && error.GdsCode() != 0, qPrintable(error.Message()));
    }
    QVERIFY(!data.IsConnected());
    QVERIFY(!QFile::exists(userFolder_.filePath(QStringLiteral("tesaro.ini"))));
    QCOMPARE(Count(reg_->Params(), QStringLiteral("select count(*) from INF_LOG")), 0);
  }

  void searchFromThePanelAndBackToTheWholeRegister() {
    SignAs(QStringLiteral("clerk"), QStringLiteral("USER1"));
    TDataModule1 data;
    TMainForm form(data, record_);
    QVERIFY(form.FormShow());
    auto* name = Control<QLineEdit>(form.SearchPanel(), "sName");
    TypeText(name, QStringLiteral("д'арк"));
    QTest::keyClick(name, Qt::Key_Return);
    QCOMPARE(form.Tabs().Current(), 1);
    QCOMPARE(form.TabStrip().currentIndex(), 1);
    QCOMPARE(form.TabStrip().tabText(1), QStringLiteral("Търсене:Д'АРК"));
    QCOMPARE(form.Grid().model()->rowCount(), 1);  // the apostrophe is searched for, not an SQL error
    QCOMPARE(form.StatusText(0), QStringLiteral("1 записа"));

    // Every way of choosing a tab switches the list: a click, the arrow keys, the mouse wheel.
    QTabBar& strip = form.TabStrip();
    QTest::mouseClick(&strip, Qt::LeftButton, {}, strip.tabRect(0).center());
    QCOMPARE(form.Tabs().Current(), 0);
    QCOMPARE(form.Grid().model()->rowCount(), 3);
    QTest::keyClick(&strip, Qt::Key_Right);
    QCOMPARE(strip.currentIndex(), 1);
    QCOMPARE(form.Tabs().Current(), 1);
    QCOMPARE(form.Grid().model()->rowCount(), 1);
    const QPointF at = strip.tabRect(1).center();
    QWheelEvent wheel(at, strip.mapToGlobal(at), {}, QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                      false);
    QApplication::sendEvent(&strip, &wheel);
    QCOMPARE(strip.currentIndex(), 0);
    QCOMPARE(form.Tabs().Current(), 0);
    QCOMPARE(form.Grid().model()->rowCount(), 3);
  }

  void openingCardsFollowsTheRights_data() {
    QTest::addColumn<QString>("rights");
    QTest::addColumn<bool>("canEdit");
    QTest::addColumn<bool>("mayRegister");
    QTest::newRow("USER1") << "USER1" << true << true;
    QTest::newRow("USER3") << "USER3" << false << true;
    QTest::newRow("USER6") << "USER6" << false << false;
  }
  void openingCardsFollowsTheRights() {
    QFETCH(QString, rights);
    QFETCH(bool, canEdit);
    QFETCH(bool, mayRegister);
    SignAs(QStringLiteral("clerk"), rights);
    Opened opened;
    MainFormWindows windows;
    windows.showCard = [&](QWidget*, int mode, bool edit) {
      opened.mode = mode;
      opened.canEdit = edit;
      ++opened.calls;
    };
    RecordingMessages messages;
    TDataModule1 data;
    TMainForm form(data, record_, windows);
    QVERIFY(form.FormShow());
    form.Grid().setFocus();
    QTest::keyClick(&form.Grid(), Qt::Key_Enter);
    QCOMPARE(opened.calls, 1);
    QCOMPARE(opened.mode, 1);
    QCOMPARE(opened.canEdit, canEdit);

    form.tbRegisterClick();
    QCOMPARE(opened.calls, mayRegister ? 2 : 1);
    if (mayRegister) QCOMPARE(opened.mode, 0);
    QCOMPARE(messages.Texts().contains(QStringLiteral("Потребителят не разполага с достатъчно права")), !mayRegister);
    QVERIFY(data.MainQuery().IsOpen());  // refreshed in every case
  }

  void statusMenuAndRefreshKeepTheCard() {
    SignAs(QStringLiteral("clerk"), QStringLiteral("USER1"));
    TDataModule1 data;
    TMainForm form(data, record_);
    QVERIFY(form.FormShow());
    data.MainQuery().SetCurrentRow(1);  // REG_NUM 2, state 1
    form.GetSTATUS();
    QStringList captions;
    QString checked;
    for (QAction* action : form.StatusMenu().actions()) {
      captions << action->text();
      if (action->isChecked()) checked = action->text();
    }
    QVERIFY(captions.contains(QStringLiteral("За Всички - Получил жилище")));
    QCOMPARE(checked, QStringLiteral("Включен в списъка"));

    data.MainQuery().SetOrdering(QStringLiteral("order by REG_NUM desc"));
    form.tbRefreshClick();
    QCOMPARE(data.MainQuery().CurrentValue(QStringLiteral("REG_NUM")).toInt(), 2);
    QCOMPARE(form.Grid().currentIndex().row(), data.MainQuery().CurrentRow());
  }

  void refreshOfTheInvalidEgnViewCountsAgain() {
    SignAs(QStringLiteral("clerk"), QStringLiteral("USER1"));
    TDataModule1 data;
    TMainForm form(data, record_);
    QVERIFY(form.FormShow());
    {
      Database other;  // another workstation's change, seen after the refresh's full commit
      other.Attach(reg_->Params());
      AddCard(other, 4, 1, QStringLiteral("Грешно ЕГН"));
      other.ExecuteImmediate(QStringLiteral("update RGS_PERSON set EGN = '1234567890' where NAME = 'Грешно ЕГН'"));
    }
    QVERIFY(form.Tabs().ShowThirdTab(RegisterTabs::kInvalidEgnCaption));
    data.AttachInvalidEgnFilter();
    form.tbRefreshClick();
    QCOMPARE(form.StatusText(0), QStringLiteral("1 невалидни ЕГН-та"));
    QCOMPARE(data.InvalidCount, -1);
    QCOMPARE(form.Grid().model()->rowCount(), 1);
  }
};

QTEST_MAIN(TestMainForm)
#include "test_main_form.moc"
