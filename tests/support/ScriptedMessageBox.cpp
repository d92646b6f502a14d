#include "support/ScriptedMessageBox.h"

namespace lintra {

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

std::vector<Text> ScriptedMessageBox::Reports() const {
  std::vector<Text> reports;
  for (const Shown& box : boxes_) {
    const size_t number = box.Prompt.find(u"Error No: ");
    const size_t description = box.Prompt.find(u" - ", number);
    const size_t source = box.Prompt.find(u"Source : ", description);
    if (source == Text::npos) {
      reports.push_back(box.Prompt);
      continue;
    }
    reports.push_back(box.Prompt.substr(number + 10, description - number - 10) + u" " +
                      box.Prompt.substr(source + 9));
  }
  return reports;
}

}  // namespace lintra
