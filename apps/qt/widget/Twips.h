#pragma once

#include <cmath>

namespace lintra {

// The control measures in twips; Qt in pixels. At 96 dots per inch a pixel is 15 twips.
namespace Twips {

constexpr float PerPixel = 15;

inline int ToPixels(float twips) {
  return static_cast<int>(std::lround(twips / PerPixel));
}

inline float FromPixels(int pixels) {
  return static_cast<float>(pixels) * PerPixel;
}

}  // namespace Twips

}  // namespace lintra
