#include "platform/UserControl.h"

namespace lintra {

void UserControl::Resize(float width, float height) {
  width_ = width;
  height_ = height;
  if (OnResize) OnResize();
}

}  // namespace lintra
