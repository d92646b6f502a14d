#include "apps/lsp/PendingPages.h"

#include <algorithm>

namespace lintra::lsp {

void PendingPages::AddUrgent(uint32_t page) {
  pages_.insert(page);
  if (std::find(urgent_.begin(), urgent_.end(), page) == urgent_.end()) urgent_.push_back(page);
}

std::optional<uint32_t> PendingPages::Take() {
  while (!urgent_.empty()) {
    const uint32_t page = urgent_.front();
    urgent_.erase(urgent_.begin());
    if (pages_.erase(page) > 0) return page;
  }
  if (pages_.empty()) return std::nullopt;
  const uint32_t page = *pages_.begin();
  pages_.erase(pages_.begin());
  return page;
}

}  // namespace lintra::lsp
