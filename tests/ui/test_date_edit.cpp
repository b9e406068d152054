// Tests of the date field: values set from code come back unchanged, blank fields, and
// that a window's change handler hears the user's edits and nothing else.
#include <QCalendarWidget>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <memory>

#include "core/clock.h"
#include "ui/date_edit.h"

namespace {
const QDateTime kNow(QDate(2024, 3, 15), QTime(14, 30, 0));

// A shown, active window holding one date field whose change handler counts its calls,
// as a card editor's handler would run.
struct FieldInWindow {
  QWidget window;
  TAODateTimePicker* field = new TAODateTimePicker(&window);
  int changes = 0;
  int closeUps = 0;

  FieldInWindow() {
    QObject::connect(field, &TAODateTimePicker::OnChange, [this] { ++changes; });
    QObject::connect(field, &TAODateTimePicker::OnCloseUp, [this] { ++closeUps; });
    field->resize(120, field->sizeHint().height());
    window.show();
    window.activateWindow();
    field->setFocus();
  }
  bool Ready() { return QTest::qWaitForWindowActive(&window); }
  QWidget* Popup() const { return field->calendarWidget()->window(); }
  void OpenCalendar() {
    // The drop-down arrow sits at the right end of the field.
    QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(field->width() - 6, field->height() / 2));
  }
};
// A window with a field before the date field, its label (Alt+Д) and a field after it, so
// the date field can get the focus each way a clerk gives it.
struct FieldAmongOthers {
  QWidget window;
  QLineEdit* before = new QLineEdit(&window);
  QLabel* label = new QLabel(QStringLiteral("&Дата:"), &window);
  TAODateTimePicker* field = new TAODateTimePicker(&window);
  QLineEdit* after = new QLineEdit(&window);
  int changes = 0;

  FieldAmongOthers() {
    auto* layout = new QVBoxLayout(&window);
    for (QWidget* w : std::initializer_list<QWidget*>{before, label, field, after}) layout->addWidget(w);
    label->setBuddy(field);
    QObject::connect(field, &TAODateTimePicker::OnChange, [this] { ++changes; });
    window.show();
    window.activateWindow();
  }
  bool Ready() { return QTest::qWaitForWindowActive(&window); }
  QLineEdit* Text() const { return field->findChild<QLineEdit*>(); }
};
}  // namespace

class DateEditTest : public QObject {
  Q_OBJECT

 private slots:
  void startsWithTodayAtMidnight() {
    Clock::FixedNow now(kNow);
    TAODateTimePicker field;
    QCOMPARE(field.DateTime(), DateValue(kNow.date()));
    QCOMPARE(field.text(), QStringLiteral("15.03.2024"));
    QVERIFY(field.calendarPopup());
  }

  void keepsTheMomentSetFromCode() {
    const QDateTime now = QDateTime::currentDateTime();
    const DateTimeValue value = DateTimeValueOf(now);
    TAODateTimePicker field;
    field.SetDateTime(value);
    QCOMPARE(field.DateTime(), value);
    QCOMPARE(ToQDateTime(field.DateTime()), now);
    QCOMPARE(field.Time(), TimeOfDayFraction(value));
    QCOMPARE(field.text(), now.date().toString(QStringLiteral("dd.MM.yyyy")));
  }

  void blankValues_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("empty");
    QTest::newRow("empty") << kEmptyDateTime << true;
    QTest::newRow("zero date") << 0.0 << false;
    QTest::newRow("missing date of the card editor") << 0.0001 << false;
    QTest::newRow("noon of the zero date") << 0.5 << false;
  }
  void blankValues() {
    QFETCH(double, value);
    QFETCH(bool, empty);
    TAODateTimePicker field;
    field.SetDateTime(value);
    QCOMPARE(field.DateTime(), value);
    QCOMPARE(field.IsEmpty(), empty);
    QVERIFY2(field.text().trimmed().isEmpty(), qPrintable(field.text()));
  }

  void emptyReadsItsOwnValueNotZero() {
    TAODateTimePicker field;
    field.SetEmpty();
    QCOMPARE(field.DateTime(), -700000.0);
    QCOMPARE(field.Time(), 0.0);
    field.SetTime(0.5);  // no date to give a time to
    QCOMPARE(field.DateTime(), kEmptyDateTime);
    field.SetDateTime(1.0);  // the first day after the zero date is an ordinary date
    QCOMPARE(field.text(), QStringLiteral("31.12.1899"));
  }

  void setTimeKeepsTheDate() {
    TAODateTimePicker field;
    field.SetDateTime(45000.25);
    field.SetTime(0.75);
    QCOMPARE(field.DateTime(), 45000.75);
    QCOMPARE(field.Time(), 0.75);
  }

  void boundsMoveTheValueKeepingItsTime() {
    TAODateTimePicker field;
    field.SetDateTime(DateValue(QDate(2024, 3, 15)) + 0.5);
    field.SetMinDate(QDate(2024, 4, 1));
    QCOMPARE(field.DateTime(), DateValue(QDate(2024, 4, 1)) + 0.5);
    field.SetMaxDate(QDate(2024, 4, 10));
    field.SetDateTime(DateValue(QDate(2030, 1, 1)) + 0.25);
    QCOMPARE(field.DateTime(), DateValue(QDate(2024, 4, 10)) + 0.25);
    // A blank value is no date, so the bounds leave it alone.
    field.SetDateTime(0.0001);
    QCOMPARE(field.DateTime(), 0.0001);
  }

  void codeChangesRunNoHandler() {
    FieldInWindow f;
    QVERIFY(f.Ready());
    f.field->SetDateTime(45000.25);
    f.field->SetTime(0.5);
    f.field->SetMinDate(QDate(2024, 1, 1));  // moves the value
    f.field->SetMaxDate(QDate(2024, 1, 31));
    f.field->SetDateTime(DateValue(QDate(2024, 2, 20)));  // moved back to the bound
    f.field->SetMaxDate(QDate(2024, 1, 10));              // and moved again
    QCOMPARE(f.field->text(), QStringLiteral("10.01.2024"));
    f.field->SetEmpty();
    f.field->SetDateTime(0.0);
    QCOMPARE(f.changes, 0);
  }

  void arrowKeyRunsHandlerOnce() {
    FieldInWindow f;
    QVERIFY(f.Ready());
    f.field->SetDateTime(DateValue(QDate(2024, 3, 15)) + 0.5);
    f.field->setCurrentSection(QDateTimeEdit::DaySection);
    QTest::keyClick(f.field, Qt::Key_Up);
    QCOMPARE(f.changes, 1);
    // The user picked a date; the hidden time of day does not survive it.
    QCOMPARE(f.field->DateTime(), DateValue(QDate(2024, 3, 16)));
  }

  void typingTheDayRunsHandler() {
    FieldInWindow f;
    QVERIFY(f.Ready());
    f.field->SetDateTime(DateValue(QDate(2024, 3, 15)));
    f.field->setSelectedSection(QDateTimeEdit::DaySection);
    QTest::keyClicks(f.field, "2");
    QCOMPARE(f.field->DateTime(), DateValue(QDate(2024, 3, 2)));  // each digit shows at once
    QCOMPARE(f.changes, 1);
    QTest::keyClicks(f.field, "0");
    QCOMPARE(f.field->DateTime(), DateValue(QDate(2024, 3, 20)));
    QCOMPARE(f.changes, 2);
  }

  void typingAWholeDate_data() {
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QDate>("expected");
    const QDate start(2024, 3, 15);
    for (const char* focus : {"click in the middle", "click on the year", "Tab", "Shift+Tab", "Alt+letter"}) {
      const QString how = QString::fromLatin1(focus);
      QTest::addRow("%s, dots", focus) << how << QStringLiteral("01.01.2010") << QDate(2010, 1, 1);
      QTest::addRow("%s, single digits", focus) << how << QStringLiteral("5.6.2011") << QDate(2011, 6, 5);
      QTest::addRow("%s, digits only", focus) << how << QStringLiteral("31121999") << QDate(1999, 12, 31);
    }
    QTest::addRow("keypad comma") << "Tab" << QStringLiteral("7,8,2001") << QDate(2001, 8, 7);
    QTest::addRow("day only") << "Tab" << QStringLiteral("9") << QDate(start.year(), start.month(), 9);
    QTest::addRow("year not finished keeps the year") << "Tab" << QStringLiteral("01.02.20") << QDate(2024, 2, 1);
    QTest::addRow("fifth year digit dropped") << "Tab" << QStringLiteral("01.02.20105") << QDate(2010, 2, 1);
    // 31.02 does not exist: the date stays the last one that did.
    QTest::addRow("no such day") << "Tab" << QStringLiteral("31.02.2010") << QDate(2024, 3, 31);
    QTest::addRow("backspace") << "Tab" << QStringLiteral("01.02.2019\b0") << QDate(2010, 2, 1);
  }

  void typingAWholeDate() {
    QFETCH(QString, focus);
    QFETCH(QString, typed);
    QFETCH(QDate, expected);
    FieldAmongOthers f;
    QVERIFY(f.Ready());
    f.field->SetDateTime(DateValue(QDate(2024, 3, 15)));
    if (focus.startsWith(QLatin1String("click"))) {
      QLineEdit* text = f.Text();
      const int x = focus.endsWith(QLatin1String("year")) ? text->width() * 3 / 4 : text->width() / 2;
      QTest::mouseClick(text, Qt::LeftButton, {}, QPoint(x, text->height() / 2));
    } else if (focus == QLatin1String("Tab")) {
      f.before->setFocus();
      QTest::keyClick(f.before, Qt::Key_Tab);
    } else if (focus == QLatin1String("Shift+Tab")) {
      f.after->setFocus();
      QTest::keyClick(f.after, Qt::Key_Backtab, Qt::ShiftModifier);
    } else {
      f.before->setFocus();
      // keyClick takes Latin keys only; the label's letter is sent with its text.
      QTest::sendKeyEvent(QTest::Click, f.before, static_cast<Qt::Key>(QChar(u'Д').unicode()), QStringLiteral("Д"),
                          Qt::AltModifier);
    }
    QTRY_VERIFY(f.field->hasFocus());
    const QStringList pieces = typed.split(u'\b');
    for (int i = 0; i < pieces.size(); ++i) {
      if (i > 0) QTest::keyClick(f.field, Qt::Key_Backspace);
      QTest::keyClicks(f.field, pieces[i]);
    }
    QCOMPARE(ToQDate(f.field->DateTime()), expected);
    QCOMPARE(f.field->text(), expected.toString(QStringLiteral("dd.MM.yyyy")));
  }

  void typingEndsWithTheClickOrAnotherKey() {
    FieldAmongOthers f;
    QVERIFY(f.Ready());
    f.field->SetDateTime(DateValue(QDate(2024, 3, 15)));
    f.before->setFocus();
    QTest::keyClick(f.before, Qt::Key_Tab);
    QTest::keyClicks(f.field, "01.02");
    QCOMPARE(ToQDate(f.field->DateTime()), QDate(2024, 2, 1));
    // A new entry after a click starts again at the day, not in the year.
    QLineEdit* text = f.Text();
    QTest::mouseClick(text, Qt::LeftButton, {}, QPoint(text->width() * 3 / 4, text->height() / 2));
    QTest::keyClicks(f.field, "12");
    QCOMPARE(ToQDate(f.field->DateTime()), QDate(2024, 2, 12));
    // An arrow ends the entry and steps the section Qt has selected, as before.
    f.field->setCurrentSection(QDateTimeEdit::YearSection);
    QTest::keyClick(f.field, Qt::Key_Up);
    QCOMPARE(ToQDate(f.field->DateTime()), QDate(2025, 2, 12));
    QTest::keyClicks(f.field, "3");
    QCOMPARE(ToQDate(f.field->DateTime()), QDate(2025, 2, 3));
  }

  void readOnlyFieldTakesNoTyping() {
    FieldAmongOthers f;
    QVERIFY(f.Ready());
    f.field->SetDateTime(DateValue(QDate(2024, 3, 15)));
    f.field->setReadOnly(true);
    f.field->setFocus();
    QTest::keyClicks(f.field, "01.01.2010");
    QCOMPARE(ToQDate(f.field->DateTime()), QDate(2024, 3, 15));
    QCOMPARE(f.changes, 0);
  }

  void confirmingWithoutEditingIsNoChange() {
    // Qt reports the unchanged date again on Enter; that must not drop the time of day.
    FieldInWindow f;
    QVERIFY(f.Ready());
    f.field->SetDateTime(45000.25);
    QTest::keyClick(f.field, Qt::Key_Enter);
    QCOMPARE(f.field->DateTime(), 45000.25);
    QCOMPARE(f.changes, 0);
  }

  void pickingInTheCalendarRunsHandlerAndClosesUp() {
    FieldInWindow f;
    QVERIFY(f.Ready());
    f.field->SetDateTime(DateValue(QDate(2024, 3, 15)) + 0.5);
    f.OpenCalendar();
    QVERIFY(f.Popup()->isVisible());
    QCOMPARE(f.closeUps, 0);
    emit f.field->calendarWidget()->clicked(QDate(2024, 5, 6));
    QCOMPARE(f.changes, 1);
    QCOMPARE(f.field->DateTime(), DateValue(QDate(2024, 5, 6)));
    QVERIFY(!f.Popup()->isVisible());
    QCOMPARE(f.closeUps, 1);
  }

  void escapeClosesUpWithoutChange() {
    FieldInWindow f;
    QVERIFY(f.Ready());
    f.field->SetDateTime(45000.25);
    f.OpenCalendar();
    QVERIFY(f.Popup()->isVisible());
    QTest::keyClick(f.field->calendarWidget(), Qt::Key_Escape);
    QVERIFY(!f.Popup()->isVisible());
    QCOMPARE(f.closeUps, 1);
    QCOMPARE(f.changes, 0);
    QCOMPARE(f.field->DateTime(), 45000.25);
  }

  void userCannotPickTheBlankDay() {
    // The blank text lives on the day before the earliest date; picking that day in the
    // calendar gives the earliest date, not an empty field.
    FieldInWindow f;
    QVERIFY(f.Ready());
    f.field->SetMinDate(QDate(2020, 1, 1));
    f.field->SetDateTime(DateValue(QDate(2020, 1, 5)));
    f.OpenCalendar();
    emit f.field->calendarWidget()->clicked(QDate(2019, 12, 31));
    QCOMPARE(f.field->DateTime(), DateValue(QDate(2020, 1, 1)));
    QCOMPARE(f.field->text(), QStringLiteral("01.01.2020"));
    QCOMPARE(f.changes, 1);
  }

  void blankFieldGivesTodayToTheUser() {
    Clock::FixedNow now(kNow);
    FieldInWindow f;
    QVERIFY(f.Ready());
    f.field->SetEmpty();
    QTest::keyClick(f.field, Qt::Key_Up);
    QCOMPARE(f.field->DateTime(), DateValue(kNow.date()));
    QCOMPARE(f.changes, 1);

    f.field->SetDateTime(0.0001);
    QTest::keyClicks(f.field, "20");
    QCOMPARE(f.field->DateTime(), DateValue(QDate(2024, 3, 20)));
    QCOMPARE(f.field->text(), QStringLiteral("20.03.2024"));

    f.field->SetEmpty();
    f.OpenCalendar();
    QVERIFY(f.Popup()->isVisible());
    QCOMPARE(f.field->calendarWidget()->yearShown(), 2024);
    QCOMPARE(f.field->calendarWidget()->monthShown(), 3);
  }
};

QTEST_MAIN(DateEditTest)
#include "test_date_edit.moc"
