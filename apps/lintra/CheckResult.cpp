#include "apps/lintra/CheckResult.h"

#include <algorithm>
#include <tuple>
#include <unordered_map>

namespace lintra {

namespace {

// Where a finding goes in the report: files in order of their paths, then places, rules and
// messages. The file's rank stands for its path, so that most comparisons compare numbers.
struct SortKey {
  size_t fileRank;
  RuleFinding* finding;

  bool operator<(const SortKey& other) const {
    const RuleFinding& a = *finding;
    const RuleFinding& b = *other.finding;
    return std::tie(fileRank, a.place.line, a.place.column, a.ruleId, a.message) <
           std::tie(other.fileRank, b.place.line, b.place.column, b.ruleId, b.message);
  }
};

// The rank of each finding's file among the files of `findings` in order of their paths.
std::vector<size_t> FileRanks(const std::vector<RuleFinding>& findings) {
  std::unordered_map<TextView, size_t> ranks;
  for (const RuleFinding& finding : findings) ranks.emplace(finding.place.file, 0);
  std::vector<TextView> files;
  files.reserve(ranks.size());
  for (const auto& entry : ranks) files.push_back(entry.first);
  std::sort(files.begin(), files.end());
  for (size_t i = 0; i < files.size(); ++i) ranks[files[i]] = i;
  std::vector<size_t> fileRanks;
  fileRanks.reserve(findings.size());
  for (const RuleFinding& finding : findings) fileRanks.push_back(ranks[finding.place.file]);
  return fileRanks;
}

}  // namespace

size_t CheckResult::Count(Severity severity) const {
  return static_cast<size_t>(std::count_if(
      findings.begin(), findings.end(),
      [&](const ReportedFinding& reported) { return reported.finding.severity == severity; }));
}

size_t CheckResult::RuleIndex(const std::string& id) const {
  const auto rule =
      std::find_if(rules.begin(), rules.end(), [&](const RuleInfo& info) { return info.id == id; });
  return static_cast<size_t>(rule - rules.begin());
}

CheckResult Settle(std::vector<RuleInfo> rules, std::vector<RuleFinding> findings) {
  const std::vector<size_t> fileRanks = FileRanks(findings);
  std::vector<SortKey> order;
  order.reserve(findings.size());
  for (size_t i = 0; i < findings.size(); ++i) order.push_back({fileRanks[i], &findings[i]});
  std::sort(order.begin(), order.end());
  CheckResult result;
  result.rules = std::move(rules);
  result.findings.reserve(findings.size());
  for (const SortKey& key : order) {
    result.findings.push_back({std::move(*key.finding), ""});
  }
  return result;
}

std::string RuleHelpPath(const std::string& id) {
  return "docs/rules/" + id + ".md";
}

}  // namespace lintra
