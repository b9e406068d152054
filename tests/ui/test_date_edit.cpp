// Tests of the date field: values set from code come back unchanged, blank fields, and
// that a window's change handler hears the user's edits and nothing else.
#include <QCalendarWidget>
#include <QSignalSpy>
#include <QTest>
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
    QTest::keyClicks(f.field, "20");
    QCOMPARE(f.field->DateTime(), DateValue(QDate(2024, 3, 20)));
    QCOMPARE(f.changes, 1);
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
