// The small text window of the action history viewer: one action's whole text, with both
// scroll bars. What is typed into it is discarded when it closes.
#pragma once

#include <QDialog>

class QPlainTextEdit;

class TfrmuMemo : public QDialog {
  Q_OBJECT
 public:
  explicit TfrmuMemo(QWidget* parent = nullptr);

  QPlainTextEdit* ml = nullptr;
};
