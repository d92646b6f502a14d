#include "platform/ImageList.h"

#include "platform/ErrorRecord.h"

namespace lintra {

int32_t ImageList::Add(Text key) {
  keys_.push_back(std::move(key));
  return Count();
}

const Text& ImageList::Key(int32_t index) const {
  if (index < 1 || index > Count()) RaisePlatformError(ErrorNumber::SubscriptOutOfRange);
  return keys_[static_cast<size_t>(index - 1)];
}

int32_t ImageList::IndexOf(TextView key) const {
  if (key.empty()) return 0;
  for (size_t i = 0; i < keys_.size(); ++i) {
    if (keys_[i] == key) return static_cast<int32_t>(i + 1);
  }
  return 0;
}

}  // namespace lintra
