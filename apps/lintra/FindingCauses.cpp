#include "apps/lintra/FindingCauses.h"

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

// Whether `place` comes before `other` in the order in which a check lists its findings: by file
// path, then line and column.
bool ComesBefore(const Place& place, const Place& other) {
  return std::tie(place.file, place.line, place.column) <
         std::tie(other.file, other.line, other.column);
}

}  // namespace

std::vector<Cause> Causes(const std::vector<RuleFinding>& findings, size_t checked) {
  std::vector<Cause> causes;
  std::unordered_map<CauseId, size_t, CauseIdHash> byId;
  for (const RuleFinding& finding : findings) {
    const auto [entry, added] =
        byId.try_emplace(CauseId{finding.ruleId, finding.message}, causes.size());
    if (added) causes.push_back({&finding});
    Cause& cause = causes[entry->second];
    if (ComesBefore(finding.place, cause.first->place)) cause.first = &finding;
    ++cause.places;
    cause.pages += finding.pages;
  }
  for (Cause& cause : causes) cause.pages = std::min(cause.pages, static_cast<int64_t>(checked));
  return causes;
}

}  // namespace lintra
