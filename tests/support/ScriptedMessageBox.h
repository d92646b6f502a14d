#pragma once

#include <deque>
#include <vector>

#include "platform/MessageBox.h"

namespace lintra {

// Answers message boxes from a script and records every box shown, for as long as it lives.
// When the script runs out, boxes are answered Abort (OK for OK-only boxes).
class ScriptedMessageBox {
 public:
  struct Shown {
    Text Prompt;
    int32_t Style;
    Text Title;
  };

  explicit ScriptedMessageBox(std::deque<int32_t> answers = {});
  ~ScriptedMessageBox();

  const std::vector<Shown>& Boxes() const { return boxes_; }
  // Each box as the error number and the source it reports ("13 Lintra.Lintra.TextTree"); a
  // box that reports no error as its prompt.
  std::vector<Text> Reports() const;
  void Answer(int32_t answer) { answers_.push_back(answer); }

 private:
  std::deque<int32_t> answers_;
  std::vector<Shown> boxes_;
  MessageBox::Handler previous_;
};

}  // namespace lintra
