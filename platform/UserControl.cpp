#include "platform/UserControl.h"

void UserControl::Resize(float width, float height) {
  width_ = width;
  height_ = height;
  if (OnResize) OnResize();
}
