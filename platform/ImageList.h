#pragma once

#include <cstdint>
#include <vector>

#include "platform/Text.h"

namespace lintra {

// An image list: pictures by 1-based position and optional key. This stand-in holds only the
// keys; a real view draws the picture for each key or position.
class ImageList {
 public:
  // Appends an entry (an empty key for none) and returns its position.
  int32_t Add(Text key);
  int32_t Count() const { return static_cast<int32_t>(keys_.size()); }
  // The key at a position from 1 to Count; otherwise subscript out of range (9).
  const Text& Key(int32_t index) const;
  // The position of `key`, or 0 when no entry has it.
  int32_t IndexOf(TextView key) const;

 private:
  std::vector<Text> keys_;
};

}  // namespace lintra
