#include "rules/FindingSet.h"

namespace lintra {

Text FindingSet::Key(const std::string& ruleId, const Place& place) {
  Text key(ruleId.begin(), ruleId.end());
  key += u'\0';
  key += place.file;
  key += u'\0';
  key += text::FromNumber(place.line) + u':' + text::FromNumber(place.column);
  return key;
}

void FindingSet::Count(size_t index) {
  if (findingPages_[index] == page_) return;
  findingPages_[index] = page_;
  ++findings_[index].pages;
}

}  // namespace lintra
