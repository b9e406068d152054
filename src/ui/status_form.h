// The please-wait window a long operation shows while it runs: a caption, "please wait"
// and a progress bar that is repainted only when its position moves.
#pragma once

#include <QString>
#include <QWidget>

#include "ui/progress_rule.h"

class QLabel;
class QProgressBar;

class TStatusForm : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kDefaultWidth = 134;
  static constexpr int kWideWidth = 140;  // for the longer captions
  static constexpr int kHeight = 65;

  explicit TStatusForm(QWidget* parent = nullptr);

  // Sets the caption, sizes the window, centres it on `centreOn` (the screen when null),
  // shows it without making it modal and puts the progress at 0.
  void Begin(const QString& caption, QWidget* centreOn, int width = kDefaultWidth);
  // Item k of n is done (k from 1). Repaints this window at once, and only when the
  // position changed: the operation runs on the interface thread and lets no events in.
  void Step(int k, int n);
  void End();

  int Position() const { return tracker_.Position(); }
  // Repaints made by Step since the last Begin.
  int RepaintCount() const { return repaintCount_; }

 private:
  QLabel* L;
  QLabel* Label1;
  QProgressBar* pbBar;
  ProgressTracker tracker_;
  int repaintCount_ = 0;
};
