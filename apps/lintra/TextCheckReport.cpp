#include <algorithm>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "apps/lintra/CheckReport.h"
#include "apps/lintra/Output.h"
#include "platform/Utf8.h"

namespace lintra {

namespace {

// The findings of one cause: the first in the report's order, how many places it has, and how
// many pages reach them (summed over the places, and at most the pages checked).
struct Cause {
  const RuleFinding* first = nullptr;
  size_t places = 0;
  int64_t pages = 0;
};

// What tells causes apart, as CauseKey hashes it: the rule and the message.
using CauseId = std::pair<std::string_view, TextView>;
struct CauseIdHash {
  size_t operator()(const CauseId& id) const {
    return std::hash<std::string_view>()(id.first) * 31 + std::hash<TextView>()(id.second);
  }
};

// The causes of `findings` over `checked` pages, in the order of their first findings.
std::vector<Cause> Causes(const std::vector<RuleFinding>& findings, size_t checked) {
  std::vector<Cause> causes;
  std::unordered_map<CauseId, size_t, CauseIdHash> byId;
  for (const RuleFinding& finding : findings) {
    const auto [entry, added] =
        byId.try_emplace(CauseId{finding.ruleId, finding.message}, causes.size());
    if (added) causes.push_back({&finding});
    Cause& cause = causes[entry->second];
    ++cause.places;
    cause.pages += finding.pages;
  }
  for (Cause& cause : causes) cause.pages = std::min(cause.pages, static_cast<int64_t>(checked));
  return causes;
}

// "file:line:column: severity: message [rule] (", or the file alone in front for a place on a
// whole file.
void AppendPlaceAndMessage(std::string& out, const RuleFinding& finding, const ReportPaths& paths) {
  paths.Append(out, finding.place.file);
  if (finding.place.line > 0) {
    out += ':';
    out += std::to_string(finding.place.line);
    out += ':';
    out += std::to_string(finding.place.column);
  }
  out += ": ";
  out += SeverityName(finding.severity);
  out += ": ";
  text::AppendUtf8(out, finding.message);
  out += " [";
  out += finding.ruleId;
  out += "] (";
}

// One cause's line: its first place, and the reach of that place when it is the only one, or
// how many places and pages share the cause.
void AppendCause(std::string& out, const Cause& cause, const ReportPaths& paths) {
  AppendPlaceAndMessage(out, *cause.first, paths);
  if (cause.places == 1) {
    AppendReach(out, *cause.first, paths);
  } else {
    if (!cause.first->code.empty()) out += cause.first->code + "; ";
    out += std::to_string(cause.places) + " places in " + std::to_string(cause.pages) +
           (cause.pages == 1 ? " page" : " pages");
  }
  out += ")\n";
}

// How many causes of one rule the text shows, and how many it only counts, at how many places.
struct RuleCauses {
  std::string ruleId;
  size_t shown = 0;
  size_t counted = 0;
  size_t countedPlaces = 0;
};

// At most this many causes of one rule are shown apart, unless they are errors; the others are
// counted.
constexpr size_t CausesShown = 25;

// Appends the lines of `causes`, every error and at most CausesShown of each rule's other causes,
// then a line for each rule with more, in the order of the rules' first causes. Returns whether
// some causes were counted only.
bool AppendCauses(std::string& out, const std::vector<Cause>& causes, const ReportPaths& paths) {
  std::vector<RuleCauses> rules;
  std::unordered_map<std::string, size_t> byRule;
  for (const Cause& cause : causes) {
    const auto [entry, added] = byRule.try_emplace(cause.first->ruleId, rules.size());
    if (added) rules.push_back({cause.first->ruleId});
    RuleCauses& rule = rules[entry->second];
    if (rule.shown < CausesShown || cause.first->severity == Severity::Error) {
      AppendCause(out, cause, paths);
      ++rule.shown;
    } else {
      ++rule.counted;
      rule.countedPlaces += cause.places;
    }
  }
  bool counted = false;
  for (const RuleCauses& rule : rules) {
    if (rule.counted == 0) continue;
    out += "... and " + std::to_string(rule.counted) + " more causes of [" + rule.ruleId + "] at " +
           std::to_string(rule.countedPlaces) + " places\n";
    counted = true;
  }
  return counted;
}

}  // namespace

void WriteTextCheckReport(const CheckResult& result, const ReportPaths& paths, bool allPlaces) {
  std::string out;
  bool grouped = false;
  if (allPlaces) {
    for (const RuleFinding& finding : result.findings) AppendCause(out, {&finding, 1, 1}, paths);
  } else {
    const std::vector<Cause> causes = Causes(result.findings, result.pages);
    grouped = AppendCauses(out, causes, paths) || causes.size() < result.findings.size();
  }
  if (grouped) {
    out += "one line per cause for " + std::to_string(result.findings.size()) +
           " places; --all-places lists every place\n";
  }
  out += Totals(result);
  out += '\n';
  WriteOutBytes(out);
}

}  // namespace lintra
