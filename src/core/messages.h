// The one message seam: every message box and question of the program goes through it, so a
// test can record what was shown and script the answers instead of blocking on a window.
#pragma once

#include <QString>
#include <functional>

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

// Answers a request: the real message boxes (ui/message_boxes.h), which the application object
// installs at start, or a test's recorder.
using MessageAsker = std::function<MessageAnswer(QWidget* parent, const MessageRequest& request)>;
// Replaces the asker. With none (an empty function, as in the command-line tools) the text is
// written to the standard error stream and the request's default answer is taken.
void SetMessageAsker(MessageAsker asker);
MessageAnswer AskMessage(QWidget* parent, const MessageRequest& request);

// A box with only an OK button.
void ShowMessage(QWidget* parent, const QString& text, const QString& caption,
                 MessageIcon icon = MessageIcon::None);
// Yes/No; true for Yes. `defaultYes` false makes No the default button.
bool AskYesNo(QWidget* parent, const QString& text, const QString& caption, bool defaultYes = false,
              MessageIcon icon = MessageIcon::Question);
