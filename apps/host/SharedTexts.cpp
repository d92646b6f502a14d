#include "apps/host/SharedTexts.h"

#include <utility>

namespace lintra {

std::shared_ptr<const SourceText> SharedTexts::Kept::Made() const {
  return std::make_shared<const SourceText>(units, bytes);
}

std::shared_ptr<const SourceText> SharedTexts::Find(const Text& webPath) const {
  const std::lock_guard lock(mutex_);
  const auto kept = texts_.find(webPath);
  return kept == texts_.end() ? nullptr : kept->second.Made();
}

std::shared_ptr<const SourceText> SharedTexts::Keep(const Text& webPath,
                                                    std::shared_ptr<const SourceText> text) {
  const std::lock_guard lock(mutex_);
  const auto [kept, added] = texts_.emplace(webPath, Kept{text->SharedValue(), text->Bytes()});
  return added ? text : kept->second.Made();
}

}  // namespace lintra
