#include "rules/FindingSet.h"

#include <algorithm>

namespace lintra {

size_t FindingSet::KeyHash::operator()(const Key& key) const {
  const uint64_t place =
      uint64_t{static_cast<uint32_t>(key.line)} << 32 | static_cast<uint32_t>(key.column);
  const uint64_t what = uint64_t{key.rule} << 32 | key.file;
  return static_cast<size_t>((place * 0x9E3779B97F4A7C15ULL) ^ (what * 0xC2B2AE3D27D4EB4FULL));
}

uint32_t FindingSet::RuleNumber(std::string_view id) {
  if (id.data() == lastRule_ && id == rules_[lastRuleNumber_]) return lastRuleNumber_;
  auto known = std::find(rules_.begin(), rules_.end(), id);
  if (known == rules_.end()) known = rules_.emplace(rules_.end(), id);
  lastRule_ = id.data();
  lastRuleNumber_ = static_cast<uint32_t>(known - rules_.begin());
  return lastRuleNumber_;
}

uint32_t FindingSet::FileNumber(const HashedPathView& file) {
  const auto known = files_.find(file);
  if (known != files_.end()) return known->second;
  const auto number = static_cast<uint32_t>(files_.size());
  files_.emplace(HashedPath{Text(file.path), file.hash}, number);
  return number;
}

void FindingSet::Merge(FindingSet&& later) {
  for (size_t i = 0; i < later.findings_.size(); ++i) {
    RuleFinding& finding = later.findings_[i];
    const int64_t lastPage = page_ + later.findingPages_[i];
    const Place& place = finding.place;
    const Key key{RuleNumber(finding.ruleId),
                  FileNumber({place.file, text::HashIgnoringCase(place.file)}), place.line,
                  place.column};
    const auto [entry, added] = index_.try_emplace(key, findings_.size());
    if (!added) {
      findings_[entry->second].pages += finding.pages;
      findingPages_[entry->second] = lastPage;
      continue;
    }
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
