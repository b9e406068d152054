// The one message seam: every message box and question of the program goes through it, so a
// test can record what was shown and script the answers instead of blocking on a window.
#pragma once

#include <QString>

class QWidget;

enum class MessageIcon { None, Information, Warning, Error, Question };
enum class MessageButtons { Ok, YesNo, OkCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };

struct MessageRequest {
  QString text;
  QString caption;
  MessageIcon icon = MessageIcon::None;
  MessageButtons buttons = MessageButtons::Ok;
  MessageAnswer defaultAnswer = MessageAnswer::Ok;
};

class MessageSeam {
 public:
  virtual ~MessageSeam() = default;
  virtual MessageAnswer Ask(QWidget* parent, const MessageRequest& request) = 0;
};

// Replaces the seam (tests); nullptr brings back the real message boxes.
void InstallMessageSeam(MessageSeam* seam);
MessageAnswer AskMessage(QWidget* parent, const MessageRequest& request);

// A box with only an OK button.
void ShowMessage(QWidget* parent, const QString& text, const QString& caption,
                 MessageIcon icon = MessageIcon::None);
// Yes/No; true for Yes. `defaultYes` false makes No the default button.
bool AskYesNo(QWidget* parent, const QString& text, const QString& caption, bool defaultYes = false,
              MessageIcon icon = MessageIcon::Question);
