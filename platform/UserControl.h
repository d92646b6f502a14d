#pragma once

#include <functional>

namespace lintra {

// The control's place on its host's window: the inner size in twips and the resize
// notification. The host (or a view) calls Resize whenever the size changes, and once when the
// control is first sited.
class UserControl {
 public:
  static constexpr float DesignWidth = 3705;
  static constexpr float DesignHeight = 4110;

  float ScaleWidth() const { return width_; }
  float ScaleHeight() const { return height_; }

  // Sets the inner size and runs the resize handler.
  void Resize(float width, float height);
  std::function<void()> OnResize;

 private:
  float width_ = DesignWidth;
  float height_ = DesignHeight;
};

}  // namespace lintra
