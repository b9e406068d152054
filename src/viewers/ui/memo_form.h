// The text window of the action history viewer: one action's whole text, wrapped at the
// window's width, in a window that can be resized. What is typed into it is discarded when it
// closes.
#pragma once

#include <QDialog>

class QPlainTextEdit;

class TfrmuMemo : public QDialog {
  Q_OBJECT
 public:
  // Shows `text` in an editable box whose edits are never kept.
  explicit TfrmuMemo(const QString& text, QWidget* parent = nullptr);

 private:
  QPlainTextEdit* ml = nullptr;
};
