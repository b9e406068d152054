// When the please-wait window's progress bar moves: the position for item k of n, and a
// tracker that says whether the position changed, so a long operation repaints rarely.
#pragma once

// The whole number nearest to k / (n + 1) * 100, an exact half going to the even
// neighbour. Computed in integers, so no floating rounding can move a half. k counts items
// from 1; n >= 0. k outside 0..n+1 still gives the formula's value (it is not clamped).
int ProgressPosition(int k, int n);

class ProgressTracker {
 public:
  int Position() const { return position_; }
  // Back to 0, as when a window starts a new operation.
  void Reset() { position_ = 0; }
  // Moves to the position of item k of n; true when it differs from the last one, which
  // is when the window must be repainted.
  bool Advance(int k, int n);

 private:
  int position_ = 0;
};
