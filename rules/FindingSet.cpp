#include "rules/FindingSet.h"

namespace lintra {

size_t FindingSet::KeyHash::operator()(const KeyView& key) const {
  size_t hash = key.fileHash * 31 + std::hash<std::string_view>()(key.ruleId);
  return hash * 31 + (static_cast<size_t>(key.line) << 20 ^ static_cast<size_t>(key.column));
}

void FindingSet::Merge(FindingSet&& later) {
  for (size_t i = 0; i < later.findings_.size(); ++i) {
    RuleFinding& finding = later.findings_[i];
    const int64_t lastPage = page_ + later.findingPages_[i];
    const Place& place = finding.place;
    const size_t fileHash = text::HashIgnoringCase(place.file);
    const auto known =
        index_.find(KeyView{finding.ruleId, place.file, fileHash, place.line, place.column});
    if (known != index_.end()) {
      findings_[known->second].pages += finding.pages;
      findingPages_[known->second] = lastPage;
      continue;
    }
    index_.emplace(Key{finding.ruleId, place.file, fileHash, place.line, place.column},
                   findings_.size());
    findings_.push_back(std::move(finding));
    findingPages_.push_back(lastPage);
  }
  page_ += later.page_;
  later = FindingSet();
}

void FindingSet::Count(size_t index) {
  if (findingPages_[index] == page_) return;
  findingPages_[index] = page_;
  ++findings_[index].pages;
}

}  // namespace lintra
