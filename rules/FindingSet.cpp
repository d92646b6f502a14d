#include "rules/FindingSet.h"

namespace lintra {

size_t FindingSet::KeyHash::operator()(const KeyView& key) const {
  size_t hash = std::hash<TextView>()(key.file);
  hash = hash * 31 + std::hash<std::string_view>()(key.ruleId);
  hash = hash * 31 + static_cast<size_t>(key.line);
  return hash * 31 + static_cast<size_t>(key.column);
}

void FindingSet::Count(size_t index) {
  if (findingPages_[index] == page_) return;
  findingPages_[index] = page_;
  ++findings_[index].pages;
}

}  // namespace lintra
