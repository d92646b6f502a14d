#include "platform/Toolbar.h"

#include <algorithm>

namespace lintra {

int32_t Toolbar::Add(Text key, Text toolTip, Button::Kind style, int32_t image) {
  const auto index = static_cast<int32_t>(buttons_.size() + 1);
  buttons_.push_back(Button{std::move(key), std::move(toolTip), style, image, index});
  return index;
}

void Toolbar::Visible(bool value) {
  if (visible_ == value) return;
  visible_ = value;
  for (ToolbarObserver* observer : observers_) observer->VisibleChanged(value);
}

void Toolbar::Click(int32_t index) {
  if (index < 1 || static_cast<size_t>(index) > buttons_.size()) return;
  const Button& button = buttons_[static_cast<size_t>(index - 1)];
  if (button.Style == Button::Kind::Separator) return;
  if (OnButtonClick) OnButtonClick(button);
}

void Toolbar::AddObserver(ToolbarObserver* observer) {
  observers_.push_back(observer);
}

void Toolbar::RemoveObserver(ToolbarObserver* observer) {
  std::erase(observers_, observer);
}

}  // namespace lintra
