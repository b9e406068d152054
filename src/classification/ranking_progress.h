// Where the long ranking loops report their progress: the please-wait window in the
// program, nothing (or a log line) in batch use and tests.
#pragma once

#include <QString>

class RankingProgress {
 public:
  virtual ~RankingProgress() = default;
  virtual void Begin(const QString& caption, int width) = 0;
  // Item k of n is done (k from 1).
  virtual void Step(int k, int n) = 0;
  virtual void End() = 0;
};

class NoRankingProgress : public RankingProgress {
 public:
  void Begin(const QString&, int) override {}
  void Step(int, int) override {}
  void End() override {}
};
