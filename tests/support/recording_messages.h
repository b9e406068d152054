// Test double of the message seam: records every message and question and answers from a
// script (then with each request's default answer), installed for the object's life.
#pragma once

#include <deque>
#include <vector>

#include "core/messages.h"

class RecordingMessages {
 public:
  RecordingMessages() {
    SetMessageAsker([this](QWidget*, const MessageRequest& request) { return Ask(request); });
  }
  ~RecordingMessages() { SetMessageAsker({}); }
  RecordingMessages(const RecordingMessages&) = delete;
  RecordingMessages& operator=(const RecordingMessages&) = delete;

  MessageAnswer Ask(const MessageRequest& request) {
    shown.push_back(request);
    if (answers.empty()) return request.defaultAnswer;
    const MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
  }

  // Texts of the messages shown so far.
  QStringList Texts() const {
    QStringList texts;
    for (const auto& r : shown) texts << r.text;
    return texts;
  }

  std::vector<MessageRequest> shown;
  std::deque<MessageAnswer> answers;
};
