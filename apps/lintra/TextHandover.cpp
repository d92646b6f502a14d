#include "apps/lintra/TextHandover.h"

#include <utility>

namespace lintra {

void TextHandover::Push(std::shared_ptr<const SourceText> text) {
  const std::lock_guard lock(mutex_);
  texts_.push_back(std::move(text));
  if (texts_.size() == BatchSize) ready_.notify_one();
}

void TextHandover::Close(File* tree, size_t nodes) {
  const std::lock_guard lock(mutex_);
  closed_ = true;
  tree_ = tree;
  nodes_ = nodes;
  ready_.notify_one();
}

TextHandover::Texts TextHandover::Next() {
  std::unique_lock lock(mutex_);
  ready_.wait(lock, [&] { return closed_ || texts_.size() >= BatchSize; });
  return std::exchange(texts_, Texts());
}

}  // namespace lintra
