#include "rules/FindingSet.h"

#include <algorithm>
#include <tuple>
#include <utility>

namespace lintra {

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

RuleFinding& FindingSet::Add(RuleFinding&& finding) {
  findingPages_.push_back(page_);
  firstPages_.push_back(page_);
  return findings_.emplace_back(std::move(finding));
}

void FindingSet::Keep(std::string_view ruleId, RuleFinding&& finding) {
  if (index_.TryEmplace(KeyOf(ruleId, ViewOf(finding.place)), findings_.size()).second) {
    Add(std::move(finding));
  }
}

void FindingSet::Reserve(size_t count) {
  findings_.reserve(count);
  findingPages_.reserve(count);
  firstPages_.reserve(count);
  index_.Reserve(count);
}

void FindingSet::MakeRoom(size_t more) {
  const size_t wanted = findings_.size() + more;
  if (wanted > findings_.capacity()) Reserve(std::max(wanted, findings_.capacity() * 3 / 2));
}

void FindingSet::Merge(FindingSet&& other, MergeOrder order) {
  if (findings_.empty() && page_ == 0) {
    *this = std::move(other);
    other = FindingSet();
    return;
  }
  // In any order, a set goes into the one with room for both, and else into the larger, so
  // that as few findings as can be move and no memory is touched twice over.
  const size_t most = findings_.size() + other.findings_.size();
  const auto preference = [most](const FindingSet& set) {
    return std::pair(set.findings_.capacity() >= most, set.findings_.size());
  };
  if (order == MergeOrder::Any && preference(other) > preference(*this)) std::swap(*this, other);
  const std::vector<Key> keys = KeysOf(other);
  Reserve(most);
  // Where each finding stands among those of the set that found it on its first page: all the
  // findings of one first page come from one set.
  std::vector<size_t> sequence(findings_.size());
  for (size_t at = 0; at < sequence.size(); ++at) sequence[at] = at;
  sequence.reserve(most);
  // Where each finding of `other` goes here.
  std::vector<size_t> into(other.findings_.size());
  for (size_t i = 0; i < other.findings_.size(); ++i) {
    RuleFinding& finding = other.findings_[i];
    const auto [kept, added] = index_.TryEmplace(keys[i], findings_.size());
    into[i] = kept;
    if (added) {
      findings_.push_back(std::move(finding));
      findingPages_.push_back(other.findingPages_[i]);
      firstPages_.push_back(other.firstPages_[i]);
      sequence.push_back(i);
      continue;
    }
    const size_t at = kept;
    const int32_t pages = findings_[at].pages + finding.pages;
    if (other.firstPages_[i] < firstPages_[at]) {
      std::swap(findings_[at], finding);
      firstPages_[at] = other.firstPages_[i];
      sequence[at] = i;
    }
    AddPageNumbers(findings_[at], finding);
    findings_[at].pages = pages;
    findingPages_[at] = std::max(findingPages_[at], other.findingPages_[i]);
  }
  for (const LaterPage& later : other.laterPages_) CountLater(into[later.finding], later.page);
  page_ = std::max(page_, other.page_);
  other = FindingSet();
  if (order == MergeOrder::FirstFound) SortByFirstPage(sequence);
}

std::vector<FindingSet::Key> FindingSet::KeysOf(const FindingSet& other) {
  std::vector<uint32_t> rules;
  rules.reserve(other.rules_.size());
  for (const std::string& rule : other.rules_) rules.push_back(RuleNumber(rule));
  std::vector<uint32_t> files(other.files_.size());
  for (const auto& [file, number] : other.files_) files[number] = FileNumber(file);
  std::vector<Key> keys(other.findings_.size());
  other.index_.Each([&](const Key& key, size_t at) {
    keys[at] = {rules[key.rule], files[key.file], key.line, key.column};
  });
  return keys;
}

void FindingSet::SortByFirstPage(const std::vector<size_t>& sequence) {
  std::vector<size_t> order(findings_.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    return std::tie(firstPages_[a], sequence[a]) < std::tie(firstPages_[b], sequence[b]);
  });
  // Where each finding goes; the findings are then swapped into place, cycle by cycle.
  std::vector<size_t> moved(order.size());
  for (size_t i = 0; i < order.size(); ++i) moved[order[i]] = i;
  index_.Each([&](const Key&, size_t& at) { at = moved[at]; });
  for (LaterPage& later : laterPages_) later.finding = static_cast<uint32_t>(moved[later.finding]);
  for (size_t i = 0; i < moved.size(); ++i) {
    while (moved[i] != i) {
      const size_t to = moved[i];
      std::swap(findings_[i], findings_[to]);
      std::swap(findingPages_[i], findingPages_[to]);
      std::swap(firstPages_[i], firstPages_[to]);
      std::swap(moved[i], moved[to]);
    }
  }
}

void FindingSet::Count(size_t index) {
  if (findingPages_[index] == page_) return;
  findingPages_[index] = page_;
  ++findings_[index].pages;
  CountLater(index, page_);
}

void FindingSet::SettlePages() {
  std::vector<size_t> counts(findings_.size());
  for (const LaterPage& later : laterPages_) ++counts[later.finding];
  for (size_t at = 0; at < counts.size(); ++at) {
    std::vector<int64_t>& numbers = findings_[at].laterPageNumbers;
    if (counts[at] > 0) numbers.reserve(numbers.size() + counts[at]);
  }
  for (const LaterPage& later : laterPages_) {
    findings_[later.finding].laterPageNumbers.push_back(later.page);
  }
  laterPages_ = {};
}

std::vector<RuleFinding> FindingSet::TakeFindings() && {
  SettlePages();
  return std::move(findings_);
}

}  // namespace lintra
