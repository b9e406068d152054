// The date field: keeps the full date-time value beside the date-only edit and reports
// only the user's changes.
#include "ui/date_edit.h"

#include <QCalendarWidget>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>
#include <cmath>

#include "core/clock.h"
#include "ui/date_typing.h"

namespace {
// Qt's date edit cannot go below 1 January 100, and the blank day sits one day below MinDate.
const QDate kLowestMinDate(100, 1, 2);
const QDate kDefaultMinDate(1753, 1, 1);
const QDate kDefaultMaxDate(9999, 12, 31);
// Any non-empty text works as the special-value text; a space looks blank.
const QString kBlankText = QStringLiteral(" ");

// The time-of-day part; a tiny negative value would round its fraction up to a whole day.
double FractionOf(double value) {
  const double fraction = TimeOfDayFraction(value);
  return fraction < 1.0 ? fraction : 0.0;
}
}  // namespace

TAODateTimePicker::TAODateTimePicker(QWidget* parent)
    : QDateEdit(parent), minDate_(kDefaultMinDate), maxDate_(kDefaultMaxDate) {
  setDisplayFormat(QString::fromLatin1(kShortDateFormat));
  setCalendarPopup(true);
  setSpecialValueText(kBlankText);
  setFrame(true);
  value_ = DateValue(Clock::Now().date());
  SyncEdit();
  connect(this, &QDateEdit::dateChanged, this, &TAODateTimePicker::OnEditDateChanged);
  WatchCalendarPopup();
  // A click in the text ends a date being typed; the next digit starts a new one.
  lineEdit()->installEventFilter(this);
}

bool TAODateTimePicker::ShowsBlank(DateTimeValue value) {
  return value == kEmptyDateTime || (value >= 0.0 && value < 1.0);
}

void TAODateTimePicker::SetDateTime(DateTimeValue value) {
  EndTyping();
  if (!std::isfinite(value)) value = kEmptyDateTime;
  if (!ShowsBlank(value)) {
    // Compared as numbers, so a value far outside any calendar is never turned into a date.
    const DateTimeValue lowest = DateValue(minDate_);
    const DateTimeValue highest = DateValue(maxDate_);
    if (value < lowest) value = lowest + FractionOf(value);
    else if (value >= highest + 1.0) value = highest + FractionOf(value);
  }
  value_ = value;
  SyncEdit();
}

double TAODateTimePicker::Time() const {
  return IsEmpty() ? 0.0 : FractionOf(value_);
}

void TAODateTimePicker::SetTime(double fraction) {
  if (IsEmpty() || !std::isfinite(fraction)) return;
  value_ = std::floor(value_) + FractionOf(fraction);
  SyncEdit();
}

void TAODateTimePicker::SetMinDate(const QDate& date) {
  if (!date.isValid()) return;
  minDate_ = std::max(date, kLowestMinDate);
  if (maxDate_ < minDate_) maxDate_ = minDate_;
  SetDateTime(value_);
}

void TAODateTimePicker::SetMaxDate(const QDate& date) {
  if (!date.isValid()) return;
  maxDate_ = std::max(date, kLowestMinDate);
  if (minDate_ > maxDate_) minDate_ = maxDate_;
  SetDateTime(value_);
}

void TAODateTimePicker::SyncEdit() {
  const bool wasSyncing = syncing_;
  syncing_ = true;
  setDateRange(BlankDate(), maxDate_);
  setDate(DisplayedDate());
  syncing_ = wasSyncing;
}

void TAODateTimePicker::OnEditDateChanged(const QDate& date) {
  if (syncing_) return;
  // Qt also reports the unchanged date (Enter, leaving the field); that is no edit and
  // must not drop the time of day.
  if (date == DisplayedDate()) return;
  TakeUserDate(date);
}

void TAODateTimePicker::TakeUserDate(const QDate& date) {
  // The blank day only stands for "no date"; the user cannot pick it as a date.
  const QDate picked = std::clamp(date, minDate_, maxDate_);
  // A date the user enters is taken at midnight: the field does not keep a time the user
  // cannot see.
  const DateTimeValue value = DateValue(picked);
  const bool changed = value != value_;
  value_ = value;
  if (picked != QDateEdit::date()) SyncEdit();
  if (changed) emit OnChange();
}

QDate TAODateTimePicker::TodayWithinBounds() const {
  return std::clamp(Clock::Now().date(), minDate_, maxDate_);
}

void TAODateTimePicker::stepBy(int steps) {
  // From the blank text Qt has no section to step; an arrow gives today's date.
  if (ShowsBlank(value_) && !isReadOnly()) {
    TakeUserDate(TodayWithinBounds());
    setCurrentSection(QDateTimeEdit::DaySection);
    return;
  }
  QDateEdit::stepBy(steps);
}

void TAODateTimePicker::keyPressEvent(QKeyEvent* event) {
  if (TypeDateKey(*event)) {
    event->accept();
    return;
  }
  EndTyping();
  QDateEdit::keyPressEvent(event);
}

bool TAODateTimePicker::TypeDateKey(const QKeyEvent& event) {
  // Qt's own typing goes into the section under the cursor and jumps a section on a full
  // part and again on the dot after it, so a whole date typed from a click came out wrong;
  // the field reads the typed characters as one date instead.
  if (isReadOnly()) return false;
  if ((event.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) != Qt::NoModifier) return false;
  if (typing_ && event.key() == Qt::Key_Backspace) {
    entry_.typed.chop(1);
    ShowTypedDate();
    return true;
  }
  const QString text = event.text();
  if (text.size() != 1) return false;
  const QChar c = text.at(0);
  const bool digit = c >= u'0' && c <= u'9';
  if (!digit && !(typing_ && IsDateSeparator(c))) return false;
  if (!typing_) {
    // Over the blank text a typed date starts from today, as an arrow key gives it.
    if (ShowsBlank(value_)) TakeUserDate(TodayWithinBounds());
    entry_ = {QDateEdit::date(), QString()};
    typing_ = true;
  }
  // A character the date cannot take (a fifth digit of the year) is dropped, as a full
  // field drops it.
  if (ReadTypedDate(entry_.typed + c).accepted) entry_.typed += c;
  ShowTypedDate();
  return true;
}

void TAODateTimePicker::ShowTypedDate() {
  const TypedDateParts parts = ReadTypedDate(entry_.typed);
  const QDate date = TypedDateOver(parts, entry_.base);
  // A day the month does not have (31.02) leaves the date as it was until the typing mends it.
  if (date.isValid() && date != QDateEdit::date()) TakeUserDate(date);
  const bool full = parts.section < 2 && (parts.section == 0 ? parts.day : parts.month).size() == 2;
  const int next = full ? parts.section + 1 : parts.section;
  static constexpr QDateTimeEdit::Section kSections[] = {QDateTimeEdit::DaySection, QDateTimeEdit::MonthSection,
                                                         QDateTimeEdit::YearSection};
  setSelectedSection(kSections[next]);
}

void TAODateTimePicker::focusOutEvent(QFocusEvent* event) {
  EndTyping();
  QDateEdit::focusOutEvent(event);
}

void TAODateTimePicker::WatchCalendarPopup() {
  // The pop-up window is created with the calendar; it is the calendar's top-level parent.
  QCalendarWidget* calendar = calendarWidget();
  if (calendar == nullptr) return;
  watchedPopup_ = calendar->window();
  if (watchedPopup_ != this) watchedPopup_->installEventFilter(this);
  else watchedPopup_ = nullptr;
}

bool TAODateTimePicker::eventFilter(QObject* watched, QEvent* event) {
  if (watched == lineEdit() && event->type() == QEvent::MouseButtonPress) EndTyping();
  if (watched == watchedPopup_) {
    if (event->type() == QEvent::Show && ShowsBlank(value_)) {
      // Opening on the blank day would show the month before MinDate; today is more useful.
      if (QCalendarWidget* calendar = calendarWidget()) {
        const QDate today = TodayWithinBounds();
        calendar->setCurrentPage(today.year(), today.month());
      }
    } else if (event->type() == QEvent::Hide) {
      emit OnCloseUp();
    }
  }
  return QDateEdit::eventFilter(watched, event);
}
