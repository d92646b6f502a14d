#include "apps/lsp/PendingPages.h"

#include <algorithm>

namespace lintra::lsp {

void PendingPages::AddUrgent(uint32_t page) {
  pages_.insert(page);
  if (std::find(urgent_.begin(), urgent_.end(), page) == urgent_.end()) urgent_.push_back(page);
}

void PendingPages::Remove(uint32_t page) {
  pages_.erase(page);
  std::erase(urgent_, page);
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

std::optional<uint32_t> PendingPages::TakeLast(const std::function<bool(uint32_t)>& may) {
  if (!urgent_.empty()) return Take();
  for (auto page = pages_.rbegin(); page != pages_.rend(); ++page) {
    if (!may(*page)) continue;
    const uint32_t taken = *page;
    pages_.erase(taken);
    return taken;
  }
  return std::nullopt;
}

}  // namespace lintra::lsp
