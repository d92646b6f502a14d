#include "apps/lintra/CheckResult.h"

#include <algorithm>
#include <future>
#include <tuple>
#include <unordered_map>

namespace lintra {

namespace {

// Where a finding goes in the report, in the order of ListedBefore (rules/FindingCauses.h). The
// file's rank stands for its path and the place is kept here, so that most comparisons compare
// numbers without reaching for the finding.
struct SortKey {
  size_t fileRank;
  int32_t line;
  int32_t column;
  RuleFinding* finding;

  bool operator<(const SortKey& other) const {
    if (fileRank != other.fileRank) return fileRank < other.fileRank;
    if (line != other.line) return line < other.line;
    if (column != other.column) return column < other.column;
    return std::tie(finding->ruleId, finding->message) <
           std::tie(other.finding->ruleId, other.finding->message);
  }
};

// The rank of each finding's file among the files of `findings` in order of their paths.
// Findings come in runs of one file, so a run's file is looked up once.
std::vector<size_t> FileRanks(const std::vector<RuleFinding>& findings) {
  std::unordered_map<TextView, size_t> ranks;
  std::vector<size_t*> rankOf;
  rankOf.reserve(findings.size());
  TextView last;
  for (const RuleFinding& finding : findings) {
    if (rankOf.empty() || !text::SameUnits(finding.place.file, last)) {
      last = finding.place.file;
      rankOf.push_back(&ranks.try_emplace(last, 0).first->second);
    } else {
      rankOf.push_back(rankOf.back());
    }
  }
  std::vector<std::pair<TextView, size_t*>> byPath;
  byPath.reserve(ranks.size());
  for (auto& [file, rank] : ranks) byPath.emplace_back(file, &rank);
  std::sort(byPath.begin(), byPath.end());
  for (size_t i = 0; i < byPath.size(); ++i) *byPath[i].second = i;
  std::vector<size_t> fileRanks;
  fileRanks.reserve(findings.size());
  for (const size_t* rank : rankOf) fileRanks.push_back(*rank);
  return fileRanks;
}

// Sorts `keys`; many keys in two halves, the second launched as `launch` says, then merged.
void SortKeys(std::vector<SortKey>& keys, std::launch launch) {
  constexpr size_t manyKeys = 4096;
  if (keys.size() < manyKeys) return std::sort(keys.begin(), keys.end());
  const auto half = keys.begin() + static_cast<ptrdiff_t>(keys.size() / 2);
  std::future<void> second = std::async(launch, [&] { std::sort(half, keys.end()); });
  std::sort(keys.begin(), half);
  second.get();
  std::inplace_merge(keys.begin(), half, keys.end());
}

// Puts the finding at from[i] at i, for every i, moving each finding once within `findings`.
void Permute(std::vector<RuleFinding>& findings, std::vector<size_t>& from) {
  for (size_t start = 0; start < from.size(); ++start) {
    if (from[start] == start) continue;
    RuleFinding first = std::move(findings[start]);
    size_t at = start;
    while (from[at] != start) {
      const size_t next = from[at];
      findings[at] = std::move(findings[next]);
      from[at] = at;
      at = next;
    }
    findings[at] = std::move(first);
    from[at] = at;
  }
}

}  // namespace

size_t CheckResult::Count(Severity severity) const {
  return static_cast<size_t>(
      std::count_if(findings.begin(), findings.end(),
                    [&](const RuleFinding& finding) { return finding.severity == severity; }));
}

size_t CheckResult::RuleIndex(std::string_view id) const {
  const auto rule =
      std::find_if(rules.begin(), rules.end(), [&](const RuleInfo& info) { return info.id == id; });
  return static_cast<size_t>(rule - rules.begin());
}

CheckResult Settle(std::vector<RuleInfo> rules, std::vector<RuleFinding> findings,
                   std::launch launch) {
  const std::vector<size_t> fileRanks = FileRanks(findings);
  std::vector<SortKey> order;
  order.reserve(findings.size());
  for (size_t i = 0; i < findings.size(); ++i) {
    const Place& place = findings[i].place;
    order.push_back({fileRanks[i], place.line, place.column, &findings[i]});
  }
  SortKeys(order, launch);
  std::vector<size_t> from(order.size());
  for (size_t i = 0; i < order.size(); ++i) {
    from[i] = static_cast<size_t>(order[i].finding - findings.data());
  }
  Permute(findings, from);
  CheckResult result;
  result.rules = std::move(rules);
  result.findings = std::move(findings);
  return result;
}

void LeaveOutBelow(CheckResult& result, Severity least) {
  result.leastSeverity = least;
  result.belowSeverity = std::erase_if(
      result.findings, [least](const RuleFinding& finding) { return finding.severity > least; });
}

std::string RuleHelpPath(const std::string& id) {
  return "docs/rules/" + id + ".md";
}

}  // namespace lintra
