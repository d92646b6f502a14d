#include "rules/FindingCauses.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
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

// Counts the pages that reach the places of each cause of `causes`, each page once, `causeOf`
// giving the cause of each finding of `findings`: a cause of one place has that place's pages;
// the findings of the others are taken cause by cause, each cause marking the pages it counts.
void CountPages(const std::vector<RuleFinding>& findings, const std::vector<size_t>& causeOf,
                std::vector<Cause>& causes) {
  // The findings in the order of their causes, each cause's in a run of its own.
  std::vector<size_t> next(causes.size() + 1);
  for (const size_t cause : causeOf) ++next[cause + 1];
  std::partial_sum(next.begin(), next.end(), next.begin());
  std::vector<size_t> order(findings.size());
  for (size_t at = 0; at < findings.size(); ++at) order[next[causeOf[at]]++] = at;
  // By page number, the cause that counted the page last.
  std::vector<size_t> countedBy;
  const auto count = [&](size_t cause, int64_t page) {
    const auto at = static_cast<size_t>(page);
    if (at >= countedBy.size()) countedBy.resize(at + 1, SIZE_MAX);
    if (countedBy[at] == cause) return;
    countedBy[at] = cause;
    ++causes[cause].pages;
  };
  for (const size_t at : order) {
    const RuleFinding& finding = findings[at];
    const size_t cause = causeOf[at];
    if (causes[cause].places == 1) {
      causes[cause].pages = finding.pages;
    } else if (finding.pages > 0) {
      count(cause, finding.pageNumber);
      for (const int64_t page : finding.laterPageNumbers) count(cause, page);
    }
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
  // Findings listed in order, as a check lists them, have their causes' first places first.
  const bool listed = std::is_sorted(findings.begin(), findings.end(), ListedBefore);
  for (const RuleFinding& finding : findings) {
    const auto [entry, added] =
        byId.try_emplace(CauseId{finding.ruleId, finding.message}, causes.size());
    if (added) causes.push_back({&finding});
    Cause& cause = causes[entry->second];
    if (!added && !listed && ListedBefore(finding, *cause.first)) cause.first = &finding;
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
