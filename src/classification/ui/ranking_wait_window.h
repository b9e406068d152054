// The please-wait window as the ranking loops' progress display.
#pragma once

#include "classification/ranking_progress.h"
#include "ui/status_form.h"

class StatusFormProgress : public RankingProgress {
 public:
  // The window is centred on `owner`'s window (on the screen when null).
  explicit StatusFormProgress(QWidget* owner) : window_(owner), owner_(owner) {}

  void Begin(const QString& caption, int width) override { window_.Begin(caption, owner_, width); }
  void Step(int k, int n) override { window_.Step(k, n); }
  void End() override { window_.End(); }

  TStatusForm& Window() { return window_; }

 private:
  TStatusForm window_;
  QWidget* owner_;
};
