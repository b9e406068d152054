// "Now" for the whole program: one injectable clock, so tests can fix the moment.
#pragma once

#include <QDateTime>
#include <functional>

namespace Clock {
// The local date and time, from the system clock unless a test replaced it.
QDateTime Now();
// Replaces the clock; pass an empty function to return to the system clock.
void SetNowSource(std::function<QDateTime()> source);

// Sets a fixed moment for the life of the object (tests).
class FixedNow {
 public:
  explicit FixedNow(const QDateTime& moment);
  ~FixedNow();
  FixedNow(const FixedNow&) = delete;
  FixedNow& operator=(const FixedNow&) = delete;
};
}  // namespace Clock
