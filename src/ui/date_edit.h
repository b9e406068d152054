// The date field used by every window that takes a date: a drop-down calendar date edit
// that holds a full date-time value and tells its window only about the user's edits.
#pragma once

#include <QDate>
#include <QDateEdit>

#include "core/date_time.h"

// The value of a field that holds no date. Distinct from 0 (30.12.1899).
inline constexpr DateTimeValue kEmptyDateTime = -700000.0;

// How the field looks and behaves:
// - It shows the date only, as "dd.MM.yyyy"; the time of day of a value set from code is
//   kept and read back unchanged, but a date the user picks or types is taken at 00:00.
// - Blank text stands for "no date". It is shown for the empty value (kEmptyDateTime) and
//   for every value from 0 up to (not including) 1, which the card editor stores for a
//   missing date (0 and 0.0001). Such a value set from code reads back exactly as it was
//   set; the blank field is not turned into 30.12.1899.
// - Only code makes a field blank; the user cannot empty it. From a blank field the user
//   gets a date by the calendar, by an arrow key or the wheel (today's date, within the
//   bounds) or by typing a digit (today's date, then the digit goes into the day).
// - Typing a date always starts at the day, however the field got the focus and wherever
//   the cursor stood: "01.01.2010", "1.1.2010" and "01012010" all give 01.01.2010. Each
//   digit shows at once (a year once it has four digits); a part not typed keeps the date's
//   own, and a day the month does not have leaves the date as it was. The typing ends with
//   any other key, a click or leaving the field; Backspace takes back the last character.
//   The calendar opens on the current month when the field is blank.
// - Internally the blank text is Qt's special-value text at the edit's minimum, which is
//   kept one day before MinDate(); a user step or pick that would land on that day lands
//   on MinDate() instead.
// - A value set from code outside MinDate()..MaxDate() is moved to the nearer bound,
//   keeping its time of day; the empty and missing-date values are not dates and are
//   never moved by the bounds.
// - OnChange() is raised only for the user's changes (typing, arrow keys, the calendar),
//   once per change of the value; never for SetDateTime, SetTime, SetMinDate, SetMaxDate
//   or SetEmpty, even when a bound moves the value. Windows must use these setters, not
//   QDateEdit's own (setDate, setDateRange, ...), which the field would take as the user's.
class TAODateTimePicker : public QDateEdit {
  Q_OBJECT

 public:
  // Starts with today at 00:00, by the program's clock.
  explicit TAODateTimePicker(QWidget* parent = nullptr);

  // The value; kEmptyDateTime when the field holds no date.
  DateTimeValue DateTime() const { return value_; }
  void SetDateTime(DateTimeValue value);

  bool IsEmpty() const { return value_ == kEmptyDateTime; }
  void SetEmpty() { SetDateTime(kEmptyDateTime); }

  // The time-of-day part of the value (0 when empty).
  double Time() const;
  // The value becomes its own date part plus the fractional part of `fraction`.
  // An empty field stays empty: there is no date to give a time to.
  void SetTime(double fraction);

  QDate MinDate() const { return minDate_; }
  QDate MaxDate() const { return maxDate_; }
  // Moves the other bound too when the two would cross, as QDateEdit does.
  void SetMinDate(const QDate& date);
  void SetMaxDate(const QDate& date);

 signals:
  void OnChange();
  void OnCloseUp();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void stepBy(int steps) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  // True for values shown as blank text.
  static bool ShowsBlank(DateTimeValue value);
  QDate BlankDate() const { return minDate_.addDays(-1); }
  QDate DisplayedDate() const { return ShowsBlank(value_) ? BlankDate() : ToQDate(value_); }
  // Puts value_ and the bounds into the underlying edit without reporting a change.
  void SyncEdit();
  void OnEditDateChanged(const QDate& date);
  // The user's value: a date at midnight; reports the change.
  void TakeUserDate(const QDate& date);
  QDate TodayWithinBounds() const;
  void WatchCalendarPopup();
  // Takes a key of a date being typed; false for a key that is no part of one.
  bool TypeDateKey(const QKeyEvent& event);
  void ShowTypedDate();
  void EndTyping() { typing_ = false; }

  struct TypedEntry {
    QDate base;     // the date typing began over
    QString typed;  // the digits and separators typed since
  };

  DateTimeValue value_ = kEmptyDateTime;
  QDate minDate_;
  QDate maxDate_;
  bool syncing_ = false;
  QObject* watchedPopup_ = nullptr;
  bool typing_ = false;
  TypedEntry entry_;
};
