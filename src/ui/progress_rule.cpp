// The progress position rule and its change tracker.
#include "ui/progress_rule.h"

#include <cstdint>

int ProgressPosition(int k, int n) {
  const std::int64_t numerator = 100 * static_cast<std::int64_t>(k);
  const std::int64_t denominator = static_cast<std::int64_t>(n) + 1;
  if (denominator <= 0) return 0;  // no items: nothing to show progress over
  // Floor division that also holds for a negative k.
  std::int64_t quotient = numerator / denominator;
  std::int64_t remainder = numerator % denominator;
  if (remainder < 0) {
    remainder += denominator;
    --quotient;
  }
  // Compare the remainder with half the denominator without dividing: 2r against d.
  const std::int64_t twice = 2 * remainder;
  if (twice > denominator || (twice == denominator && quotient % 2 != 0)) ++quotient;
  return static_cast<int>(quotient);
}

bool ProgressTracker::Advance(int k, int n) {
  const int position = ProgressPosition(k, n);
  if (position == position_) return false;
  position_ = position;
  return true;
}
