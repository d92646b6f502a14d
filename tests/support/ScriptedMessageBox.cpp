#include "support/ScriptedMessageBox.h"

ScriptedMessageBox::ScriptedMessageBox(std::deque<int32_t> answers) : answers_(std::move(answers)) {
  previous_ = MessageBox::SetHandler([this](const Text& prompt, int32_t style, const Text& title) {
    boxes_.push_back({prompt, style, title});
    if (answers_.empty()) {
      return (style & 0x0F) == MessageBox::AbortRetryIgnore ? MessageBox::Abort : MessageBox::OK;
    }
    const int32_t answer = answers_.front();
    answers_.pop_front();
    return answer;
  });
}

ScriptedMessageBox::~ScriptedMessageBox() {
  MessageBox::SetHandler(std::move(previous_));
}
