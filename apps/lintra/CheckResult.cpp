#include "apps/lintra/CheckResult.h"

#include <algorithm>
#include <tuple>

namespace lintra {

namespace {

bool Before(const ReportedFinding& a, const ReportedFinding& b) {
  const Place& x = a.finding.place;
  const Place& y = b.finding.place;
  return std::tie(x.file, x.line, x.column, a.finding.ruleId, a.finding.message) <
         std::tie(y.file, y.line, y.column, b.finding.ruleId, b.finding.message);
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

CheckResult Settle(std::vector<RuleInfo> rules, const std::vector<RuleFinding>& findings) {
  CheckResult result;
  result.rules = std::move(rules);
  for (const RuleFinding& finding : findings) result.findings.push_back({finding, ""});
  std::sort(result.findings.begin(), result.findings.end(), Before);
  return result;
}

std::string RuleHelpPath(const std::string& id) {
  return "docs/rules/" + id + ".md";
}

}  // namespace lintra
