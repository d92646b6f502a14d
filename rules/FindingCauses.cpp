#include "rules/FindingCauses.h"

#include <algorithm>
#include <string_view>
#include <tuple>
#include <unordered_map>
#include <utility>

namespace lintra {

namespace {

// What tells causes apart, as CauseKey hashes it: the rule and the message.
using CauseId = std::pair<std::string_view, TextView>;
struct CauseIdHash {
  size_t operator()(const CauseId& id) const {
    return std::hash<std::string_view>()(id.first) * 31 + std::hash<TextView>()(id.second);
  }
};
struct CauseIdEqual {
  bool operator()(const CauseId& a, const CauseId& b) const {
    return a.first == b.first && text::SameUnits(a.second, b.second);
  }
};

// Counts for each cause of `causes` the pages that reach any of its places, `causeOf` giving the
// cause of each finding of `findings`: those of its first finding, unless its places are reached
// by pages that differ, which are then gathered.
void CountPages(const std::vector<RuleFinding>& findings, const std::vector<size_t>& causeOf,
                std::vector<Cause>& causes) {
  std::vector<const std::vector<uint32_t>*> firstPages(causes.size());
  std::vector<bool> differ(causes.size());
  for (size_t at = 0; at < findings.size(); ++at) {
    const std::vector<uint32_t>*& first = firstPages[causeOf[at]];
    if (!first) first = &findings[at].pageNumbers;
    if (*first != findings[at].pageNumbers) differ[causeOf[at]] = true;
  }
  std::vector<std::vector<uint32_t>> pagesOf(causes.size());
  for (size_t at = 0; at < findings.size(); ++at) {
    if (!differ[causeOf[at]]) continue;
    const std::vector<uint32_t>& numbers = findings[at].pageNumbers;
    pagesOf[causeOf[at]].insert(pagesOf[causeOf[at]].end(), numbers.begin(), numbers.end());
  }
  for (size_t cause = 0; cause < causes.size(); ++cause) {
    std::vector<uint32_t>& pages = pagesOf[cause];
    if (!differ[cause]) {
      causes[cause].pages = firstPages[cause]->size();
      continue;
    }
    std::sort(pages.begin(), pages.end());
    causes[cause].pages =
        static_cast<size_t>(std::unique(pages.begin(), pages.end()) - pages.begin());
  }
}

}  // namespace

bool ListedBefore(const RuleFinding& finding, const RuleFinding& other) {
  const Place& place = finding.place;
  const Place& otherPlace = other.place;
  return std::tie(place.file, place.line, place.column, finding.ruleId, finding.message) <
         std::tie(otherPlace.file, otherPlace.line, otherPlace.column, other.ruleId, other.message);
}

std::vector<Cause> Causes(const std::vector<RuleFinding>& findings) {
  std::vector<Cause> causes;
  std::vector<size_t> causeOf;
  causeOf.reserve(findings.size());
  std::unordered_map<CauseId, size_t, CauseIdHash, CauseIdEqual> byId;
  byId.reserve(findings.size());
  for (const RuleFinding& finding : findings) {
    const auto [entry, added] =
        byId.try_emplace(CauseId{finding.ruleId, finding.message}, causes.size());
    if (added) causes.push_back({&finding});
    Cause& cause = causes[entry->second];
    if (!added && ListedBefore(finding, *cause.first)) cause.first = &finding;
    ++cause.places;
    causeOf.push_back(entry->second);
  }
  CountPages(findings, causeOf, causes);
  return causes;
}

void RankCauses(std::vector<Cause>& causes) {
  std::stable_sort(causes.begin(), causes.end(), [](const Cause& a, const Cause& b) {
    return std::pair(a.first->severity, b.pages) < std::pair(b.first->severity, a.pages);
  });
}

}  // namespace lintra
