// Test double of the message seam: records every message and question and answers from a
// script (then with each request's default answer), installed for the object's life.
#pragma once

#include <deque>
#include <vector>

#include "auxiliary/messages.h"

class RecordingMessages : public MessageSeam {
 public:
  RecordingMessages() { InstallMessageSeam(this); }
  ~RecordingMessages() override { InstallMessageSeam(nullptr); }

  MessageAnswer Ask(QWidget*, const MessageRequest& request) override {
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
