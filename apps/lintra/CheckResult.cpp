#include "apps/lintra/CheckResult.h"

#include <algorithm>
#include <optional>
#include <tuple>

namespace lintra {

namespace {

// The severity `settings` give the rule `id` whose own is `severity`; none when it is off.
std::optional<Severity> SeverityOf(const RuleSettings& settings, const std::string& id,
                                   Severity severity) {
  const auto set = settings.severities.find(id);
  return set == settings.severities.end() ? std::optional(severity) : set->second;
}

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

CheckResult Settle(const std::vector<RuleInfo>& rules, const std::vector<RuleFinding>& findings,
                   const RuleSettings& settings) {
  CheckResult result;
  for (const RuleInfo& rule : rules) {
    if (const std::optional<Severity> severity = SeverityOf(settings, rule.id, rule.severity)) {
      result.rules.push_back(rule);
      result.rules.back().severity = *severity;
    }
  }
  for (const RuleFinding& finding : findings) {
    const std::optional<Severity> severity = SeverityOf(settings, finding.ruleId, finding.severity);
    if (!severity) continue;
    result.findings.push_back({finding, ""});
    result.findings.back().finding.severity = *severity;
  }
  std::sort(result.findings.begin(), result.findings.end(), Before);
  return result;
}

std::string RuleHelpPath(const std::string& id) {
  return "docs/rules/" + id + ".md";
}

}  // namespace lintra
