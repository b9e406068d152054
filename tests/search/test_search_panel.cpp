// The search panel offscreen: ticking rules and highlight, user changes tick while filling from
// code does not, the number filters, the TELK untick, Enter and the tab order.
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include "controls.h"
#include "core/clock.h"
#include "data/data_module.h"
#include "search/ui/search_panel.h"
#include "temp_register.h"
#include "ui/date_edit.h"

namespace {
// Types text as key presses; unlike QTest::keyClicks it also types letters outside Latin-1.
void Type(QWidget* widget, const QString& text) {
  for (const QChar ch : text) QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

// Criterion box 1..20, named CheckBox1..CheckBox20.
QCheckBox* Box(const TSearchPanel& panel, int number) {
  return Control<QCheckBox>(panel, QStringLiteral("CheckBox%1").arg(number));
}

QList<int> TickedBoxes(const TSearchPanel& panel) {
  QList<int> ticked;
  for (int n = 1; n <= SearchCriteria::kBoxCount; ++n)
    if (Box(panel, n)->isChecked()) ticked << n;
  return ticked;
}

// The box number that owns a control, from the criteria's layout of boxes and controls.
const QHash<QString, int>& BoxOfControl() {
  static const QHash<QString, int> boxes = {
      {"sRegNum", 1},       {"sVhNom", 1},         {"sName", 2},        {"sEGN", 3},         {"sMemFrom", 4},
      {"sMemTo", 4},        {"sDateFrom", 5},      {"sDateTo", 5},      {"sGroup", 6},       {"sLData", 7},
      {"sStatus", 8},       {"dFrom", 9},          {"dTo", 9},          {"sLReason", 10},    {"sSocGrupa", 11},
      {"sNotes", 12},       {"sMemNumbFrom", 13},  {"sMemNumbTo", 13},  {"sNastVidApart", 14}, {"sNastZap", 15},
      {"sNastBuy", 16},     {"sHasFirm", 17},      {"sTelkNum", 18},    {"sIncFrom", 19},    {"sIncTo", 19},
      {"sAgeOverFrom", 20}, {"sAgeOverTo", 20},
  };
  return boxes;
}

// Every control is on the tooltip colour exactly while its box is ticked.
void VerifyHighlight(const TSearchPanel& panel) {
  for (auto it = BoxOfControl().begin(); it != BoxOfControl().end(); ++it) {
    auto* control = Control<QWidget>(panel, it.key());
    const QPalette normal = QApplication::palette(control);
    QVERIFY(normal.color(QPalette::ToolTipBase) != normal.color(QPalette::Base));
    const bool ticked = Box(panel, it.value())->isChecked();
    const QColor expected = normal.color(ticked ? QPalette::ToolTipBase : QPalette::Base);
    QVERIFY2(control->palette().color(QPalette::Base) == expected, qPrintable(it.key()));
  }
}
}  // namespace

class TestSearchPanel : public QObject {
  Q_OBJECT

 private slots:
  void tickingKeepsExclusivityAndHighlight_data() {
    QTest::addColumn<QList<int>>("ticks");
    QTest::addColumn<QList<int>>("expected");
    QTest::newRow("criteria combine") << QList<int>{2, 4, 6, 20} << QList<int>{2, 4, 6, 20};
    QTest::newRow("EGN after a group stands alone") << QList<int>{6, 3} << QList<int>{3};
    QTest::newRow("registration number unticks everything") << QList<int>{2, 5, 19, 1} << QList<int>{1};
    QTest::newRow("name unticks registration number") << QList<int>{1, 2} << QList<int>{2};
    QTest::newRow("name unticks EGN") << QList<int>{3, 2} << QList<int>{2};
    QTest::newRow("any other unticks EGN") << QList<int>{3, 12} << QList<int>{12};
    QTest::newRow("registration number after EGN") << QList<int>{3, 1} << QList<int>{1};
  }
  void tickingKeepsExclusivityAndHighlight() {
    QFETCH(QList<int>, ticks);
    QFETCH(QList<int>, expected);
    TSearchPanel panel;
    for (int box : ticks) Box(panel, box)->click();
    QCOMPARE(TickedBoxes(panel), expected);
    VerifyHighlight(panel);
  }

  void untickingByCodeClearsHighlight() {
    TSearchPanel panel;
    Control<QCheckBox>(panel, "CheckBox6")->setChecked(true);
    Control<QCheckBox>(panel, "CheckBox9")->setChecked(true);
    VerifyHighlight(panel);
    Control<QCheckBox>(panel, "CheckBox6")->setChecked(false);
    QCOMPARE(TickedBoxes(panel), QList<int>{9});
    VerifyHighlight(panel);
  }

  void numberFieldsKeepTheirCharacters_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("box");
    QTest::newRow("members to") << "sMemNumbTo" << "1a2" << "12" << 13;
    QTest::newRow("kids from") << "sMemFrom" << "-3.5" << "35" << 4;
    QTest::newRow("kids over 18 to") << "sAgeOverTo" << "٣x7" << "7" << 20;
    QTest::newRow("income keeps the point") << "sIncFrom" << "1,5.25лв" << "15.25" << 19;
    QTest::newRow("income keeps every point") << "sIncTo" << "1.2.3" << "1.2.3" << 19;
    QTest::newRow("registration number is not filtered") << "sRegNum" << "12a" << "12a" << 1;
  }
  void numberFieldsKeepTheirCharacters() {
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, text);
    QFETCH(int, box);
    TSearchPanel panel;
    auto* edit = Control<QLineEdit>(panel, field);
    Type(edit, typed);
    QCOMPARE(edit->text(), text);
    QCOMPARE(edit->cursorPosition(), text.size());
    QCOMPARE(TickedBoxes(panel), QList<int>{box});
  }

  void filteringKeepsTheCursorWhereTheUserTypes() {
    TSearchPanel panel;
    Type(Control<QLineEdit>(panel, "sMemFrom"), QStringLiteral("1234"));
    Control<QLineEdit>(panel, "sMemFrom")->setCursorPosition(2);
    Type(Control<QLineEdit>(panel, "sMemFrom"), QStringLiteral("x"));
    QCOMPARE(Control<QLineEdit>(panel, "sMemFrom")->text(), QStringLiteral("1234"));
    QCOMPARE(Control<QLineEdit>(panel, "sMemFrom")->cursorPosition(), 2);
    Type(Control<QLineEdit>(panel, "sMemFrom"), QStringLiteral("9"));
    QCOMPARE(Control<QLineEdit>(panel, "sMemFrom")->text(), QStringLiteral("12934"));
    QCOMPARE(Control<QLineEdit>(panel, "sMemFrom")->cursorPosition(), 3);
  }

  void emptiedTelkUnticksItsBox() {
    TSearchPanel panel;
    Type(Control<QLineEdit>(panel, "sTelkNum"), QStringLiteral("5"));
    QCOMPARE(TickedBoxes(panel), QList<int>{18});
    QTest::keyClick(Control<QLineEdit>(panel, "sTelkNum"), Qt::Key_Backspace);
    QCOMPARE(Control<QLineEdit>(panel, "sTelkNum")->text(), QString());
    QCOMPARE(TickedBoxes(panel), QList<int>{});
    VerifyHighlight(panel);
  }

  void fillingFromCodeTicksNothingButTheUserDoes() {
    TempRegister reg;
    TDataModule1& data = reg.Data();
    Clock::FixedNow now(QDateTime(QDate(2024, 6, 7), QTime(15, 45)));
    TSearchPanel panel;
    panel.FillLists(data);
    panel.SetDatesToday();
    QCOMPARE(TickedBoxes(panel), QList<int>{});

    const QList<std::pair<QComboBox*, QString>> lists = {
        {Control<QComboBox>(panel, "sGroup"), "GROUP1"},     {Control<QComboBox>(panel, "sLData"), "LDATA"},         {Control<QComboBox>(panel, "sStatus"), "STATUS"},
        {Control<QComboBox>(panel, "sLReason"), "LREASON"},  {Control<QComboBox>(panel, "sSocGrupa"), "SOCGRUPA"},   {Control<QComboBox>(panel, "sNastVidApart"), "NAST_VID_APART"}};
    for (const auto& [list, column] : lists) {
      QStringList expected;
      for (int code = 0; code <= 9; ++code)
        if (const QString name = data.NomCodeName(column, code); name != QLatin1String("false"))
          expected << name.trimmed();  // the starting names have no leading blanks
      QVERIFY(!expected.isEmpty());
      QStringList items;
      for (int i = 0; i < list->count(); ++i) items << list->itemText(i);
      QCOMPARE(items, expected);
      QCOMPARE(list->currentIndex(), -1);
    }
    QCOMPARE(Control<QComboBox>(panel, "sGroup")->itemText(1), QStringLiteral("2.засегнати от ново строителство"));
    for (TAODateTimePicker* date : {Control<TAODateTimePicker>(panel, "sDateFrom"), Control<TAODateTimePicker>(panel, "sDateTo"), Control<TAODateTimePicker>(panel, "dFrom"), Control<TAODateTimePicker>(panel, "dTo")})
      QCOMPARE(date->DateTime(), DateValue(QDate(2024, 6, 7)));

    // The user's changes: an entry chosen by keyboard and a date stepped.
    QTest::keyClick(Control<QComboBox>(panel, "sStatus"), Qt::Key_Down);
    QCOMPARE(TickedBoxes(panel), QList<int>{8});
    QTest::keyClick(Control<TAODateTimePicker>(panel, "dTo"), Qt::Key_Up);
    QCOMPARE(TickedBoxes(panel), (QList<int>{8, 9}));
    Control<QComboBox>(panel, "sNastVidApart")->setCurrentIndex(2);  // code: no tick
    QCOMPARE(TickedBoxes(panel), (QList<int>{8, 9}));

    const SearchCriteria c = panel.Criteria();
    QVERIFY(c.Ticked(8) && c.Ticked(9) && !c.Ticked(14));
    QCOMPARE(c.sStatus, Control<QComboBox>(panel, "sStatus")->currentText());
    QVERIFY(!c.sStatus.isEmpty());
    QCOMPARE(c.sNastVidApart, QStringLiteral("Резервно жилище"));
    // The names as shown lead back to their codes.
    const SearchOutcome outcome = BuildSearch(c, [&](const QString& l, const QString& n) { return data.NomCodeOf(l, n); });
    QCOMPARE(outcome.condition, QStringLiteral("and P.PERSON_TYPE = 0 and C.STATUS = 0and(( C.LASTDEK_DATE <= '07.06.2024')"
                                               "or (C.LASTDEK_DATE >= '08.06.2024') or (C.LASTDEK_DATE is NULL) )"));
    QCOMPARE(outcome.tabCaption, QStringLiteral("Търсене:Картотекиран,Картони без подадена декларация"));
    QCOMPARE(c.sGroup, QString());
    QCOMPARE(c.sDateFrom, QDate(2024, 6, 7));
    QCOMPARE(c.dTo, QDate(2024, 6, 8));
  }

  void enterSearchesFromExactlyTheListedControls_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("searches");
    for (const char* name : {"sRegNum", "sVhNom", "sName", "sEGN", "sMemFrom", "sMemTo", "sGroup", "sStatus", "sLData",
                             "sNotes", "sMemNumbFrom", "sMemNumbTo", "sNastZap", "sNastBuy", "sHasFirm", "sTelkNum",
                             "sIncFrom", "sIncTo", "sAgeOverFrom", "sAgeOverTo"})
      QTest::newRow(name) << QString::fromLatin1(name) << true;
    for (const char* name : {"sLReason", "sSocGrupa", "sNastVidApart", "sDateFrom", "sDateTo", "dFrom", "dTo"})
      QTest::newRow(name) << QString::fromLatin1(name) << false;
  }
  void enterSearchesFromExactlyTheListedControls() {
    QFETCH(QString, control);
    QFETCH(bool, searches);
    TSearchPanel panel;
    QSignalSpy spy(&panel, &TSearchPanel::SearchRequested);
    auto* widget = Control<QWidget>(panel, control);
    QTest::keyClick(widget, Qt::Key_Return);
    QTest::keyClick(widget, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(spy.count(), searches ? 2 : 0);
    QTest::keyClick(widget, Qt::Key_Tab);
    QCOMPARE(spy.count(), searches ? 2 : 0);
  }

  void tabGoesRowByRow() {
    TSearchPanel panel;
    panel.show();
    panel.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&panel));
    Control<QCheckBox>(panel, "CheckBox1")->setFocus();
    QStringList visited{QApplication::focusWidget()->objectName()};
    for (int i = 0; i < 9; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, (QStringList{"CheckBox1", "sRegNum", "sVhNom", "CheckBox2", "sName", "CheckBox3", "sEGN",
                                   "CheckBox4", "sMemFrom", "sMemTo"}));
    Control<QLineEdit>(panel, "sAgeOverTo")->setFocus();
    QTest::keyClick(Control<QLineEdit>(panel, "sAgeOverTo"), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), Control<QPushButton>(panel, "sbSearch"));
  }

  void buttonSearches() {
    TSearchPanel panel;
    QSignalSpy spy(&panel, &TSearchPanel::SearchRequested);
    QCOMPARE(Control<QPushButton>(panel, "sbSearch")->text(), QStringLiteral("Търсене"));
    QCOMPARE(Control<QPushButton>(panel, "sbSearch")->toolTip(), QStringLiteral("Търси по избраните критерии"));
    Control<QPushButton>(panel, "sbSearch")->click();
    QCOMPARE(spy.count(), 1);
  }
};

QTEST_MAIN(TestSearchPanel)
#include "test_search_panel.moc"
