#include "core/messages.h"

#include <QTextStream>

namespace {
MessageAsker& Asker() {
  static MessageAsker asker;
  return asker;
}
}  // namespace

void SetMessageAsker(MessageAsker asker) { Asker() = std::move(asker); }

MessageAnswer AskMessage(QWidget* parent, const MessageRequest& request) {
  if (Asker()) return Asker()(parent, request);
  // No desktop (a command-line tool): the text goes where an administrator reads it.
  QTextStream(stderr) << request.caption << ": " << request.text << '\n';
  return request.defaultAnswer;
}

void ShowMessage(QWidget* parent, const QString& text, const QString& caption, MessageIcon icon) {
  AskMessage(parent, {text, caption, icon, MessageButtons::Ok, MessageAnswer::Ok});
}

bool AskYesNo(QWidget* parent, const QString& text, const QString& caption, bool defaultYes, MessageIcon icon) {
  const MessageRequest request{text, caption, icon, MessageButtons::YesNo,
                               defaultYes ? MessageAnswer::Yes : MessageAnswer::No};
  return AskMessage(parent, request) == MessageAnswer::Yes;
}
