#include "apps/host/SharedTexts.h"

#include <utility>

namespace lintra {

std::shared_ptr<const SourceText> SharedTexts::Find(const Text& webPath) const {
  const std::lock_guard lock(mutex_);
  const auto kept = texts_.find(webPath);
  return kept == texts_.end() ? nullptr : kept->second;
}

std::shared_ptr<const SourceText> SharedTexts::Keep(const Text& webPath,
                                                    std::shared_ptr<const SourceText> text) {
  const std::lock_guard lock(mutex_);
  return texts_.emplace(webPath, std::move(text)).first->second;
}

}  // namespace lintra
