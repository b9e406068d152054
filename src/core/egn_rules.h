// Rules for the 10-digit personal number (EGN): check digit, encoded birth date, the date
// a given age is reached, and age tests against the program's clock.
#pragma once

#include <QString>

#include "core/date_time.h"

// True when the text is exactly 10 ASCII digits and the check digit is right.
bool EGNIsValid(const QString& egn);

// The date (at 00:00) on which the holder reaches the age of `years` (0 gives the birth
// date); zero when the EGN is not valid, does not encode a real date, or years < 0.
// A birthday on 29 February moves to 1 March for every age above 0, leap year or not.
DateTimeValue EGNDateAfterYears(const QString& egn, int years);

// Age tests against Clock::Now(). A number with no usable date counts as adult and as
// neither under 18 nor under 35.
bool EGNIsUnder18(const QString& egn);
bool EGNIsAdult(const QString& egn);
bool EGNIsUnder35(const QString& egn);
