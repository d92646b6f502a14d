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

// Counts each page once for the causes of `causes` whose places are each reached by one page (the
// finding's own `page`), `causeOf` giving the cause of each finding of `findings`.
void CountSinglePages(const std::vector<RuleFinding>& findings, const std::vector<size_t>& causeOf,
                      std::vector<Cause>& causes) {
  std::vector<bool> onePage(causes.size(), true);
  std::vector<bool> samePage(causes.size(), true);
  for (size_t at = 0; at < findings.size(); ++at) {
    const size_t cause = causeOf[at];
    onePage[cause] = onePage[cause] && findings[at].pages == 1;
    samePage[cause] =
        samePage[cause] && text::SameUnits(findings[at].page, causes[cause].first->page);
  }
  // The pages of the causes whose places lie in more than one page, each once.
  std::vector<std::pair<size_t, TextView>> pages;
  for (size_t at = 0; at < findings.size(); ++at) {
    const size_t cause = causeOf[at];
    if (onePage[cause] && !samePage[cause]) pages.emplace_back(cause, findings[at].page);
  }
  std::sort(pages.begin(), pages.end());
  pages.erase(std::unique(pages.begin(), pages.end()), pages.end());
  for (size_t cause = 0; cause < causes.size(); ++cause) {
    if (onePage[cause]) causes[cause].pages = samePage[cause] ? 1 : 0;
  }
  for (const auto& [cause, page] : pages) ++causes[cause].pages;
}

}  // namespace

bool ListedBefore(const RuleFinding& finding, const RuleFinding& other) {
  const Place& place = finding.place;
  const Place& otherPlace = other.place;
  return std::tie(place.file, place.line, place.column, finding.ruleId, finding.message) <
         std::tie(otherPlace.file, otherPlace.line, otherPlace.column, other.ruleId, other.message);
}

std::vector<Cause> Causes(const std::vector<RuleFinding>& findings, size_t checked) {
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
    cause.pages += finding.pages;
    causeOf.push_back(entry->second);
  }
  CountSinglePages(findings, causeOf, causes);
  for (Cause& cause : causes) cause.pages = std::min(cause.pages, static_cast<int64_t>(checked));
  return causes;
}

void RankCauses(std::vector<Cause>& causes) {
  std::stable_sort(causes.begin(), causes.end(), [](const Cause& a, const Cause& b) {
    return std::pair(a.first->severity, b.pages) < std::pair(b.first->severity, a.pages);
  });
}

}  // namespace lintra
