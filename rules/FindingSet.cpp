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

void FindingSet::Merge(FindingSet&& later) {
  for (size_t i = 0; i < later.findings_.size(); ++i) {
    RuleFinding& finding = later.findings_[i];
    const int64_t lastPage = page_ + later.findingPages_[i];
    const auto [known, added] =
        index_.try_emplace(Key(finding.ruleId, finding.place), findings_.size());
    if (added) {
      findings_.push_back(std::move(finding));
      findingPages_.push_back(lastPage);
    } else {
      findings_[known->second].pages += finding.pages;
      findingPages_[known->second] = lastPage;
    }
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
