#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <vector>

namespace lintra::lsp {

// The pages waiting to be analysed again, in page order, with those the editor is waiting for
// (pages open in it, or standing for a file open in it) taken first.
class PendingPages {
 public:
  void Add(uint32_t page) { pages_.insert(page); }
  // Adds `page` and takes it before the others.
  void AddUrgent(uint32_t page);
  void Remove(uint32_t page);

  // Takes the next page: an urgent one first, otherwise the first in page order.
  std::optional<uint32_t> Take();
  // Takes an urgent page first, otherwise the last page in page order that `may(page)` allows;
  // none when it allows none.
  std::optional<uint32_t> TakeLast(const std::function<bool(uint32_t)>& may);
  // The pages by rising id.
  std::vector<uint32_t> Pages() const { return {pages_.begin(), pages_.end()}; }
  // Whether an urgent page is waiting.
  bool UrgentWaiting() const { return !urgent_.empty(); }
  bool Contains(uint32_t page) const { return pages_.count(page) > 0; }
  bool Empty() const { return pages_.empty(); }
  size_t Size() const { return pages_.size(); }

 private:
  std::set<uint32_t> pages_;
  std::vector<uint32_t> urgent_;
};

}  // namespace lintra::lsp
