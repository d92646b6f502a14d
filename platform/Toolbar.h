#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/Text.h"

namespace lintra {

// One toolbar button: its key, tooltip, kind and picture position (0 for none).
struct Button {
  enum class Kind { PushButton, Separator };
  Text Key;
  Text ToolTipText;
  Kind Style = Kind::PushButton;
  int32_t Image = 0;
  int32_t Index = 0;  // 1-based position on the toolbar
};

// What a real view needs to mirror a toolbar.
class ToolbarObserver {
 public:
  virtual ~ToolbarObserver() = default;
  virtual void VisibleChanged(bool visible) { (void)visible; }
};

// The headless toolbar: buttons in order, visibility and height. It keeps itself at the top edge
// of its control and spans its width.
class Toolbar {
 public:
  // Appends a button and returns its position.
  int32_t Add(Text key, Text toolTip, Button::Kind style, int32_t image);
  const std::vector<Button>& Buttons() const { return buttons_; }

  bool Visible() const { return visible_; }
  void Visible(bool value);
  // Height in twips.
  float Height() const { return height_; }

  // The user clicks the button at a 1-based position: the click handler runs with that button,
  // except for a separator, which raises nothing. Positions outside the toolbar are ignored.
  void Click(int32_t index);
  std::function<void(const Button&)> OnButtonClick;

  void AddObserver(ToolbarObserver* observer);
  void RemoveObserver(ToolbarObserver* observer);

 private:
  std::vector<Button> buttons_;
  bool visible_ = true;
  float height_ = 330;
  std::vector<ToolbarObserver*> observers_;
};

}  // namespace lintra
