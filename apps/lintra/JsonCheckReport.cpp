#include <nlohmann/json.hpp>

#include "apps/host/PathText.h"
#include "apps/lintra/CheckReport.h"
#include "apps/lintra/Fingerprints.h"
#include "apps/lintra/Output.h"

namespace lintra {

using Json = nlohmann::ordered_json;

namespace {

// The version of the document's layout; it grows when a field changes meaning or goes.
constexpr int JsonVersion = 2;

Json PlaceEntry(const Place& place, const ReportPaths& paths) {
  return {{"file", paths.Of(place.file)},
          {"line", place.line},
          {"column", place.column},
          {"endLine", place.endLine},
          {"endColumn", place.endColumn}};
}

Json Places(const std::vector<Place>& places, const ReportPaths& paths) {
  Json entries = Json::array();
  for (const Place& place : places) entries.push_back(PlaceEntry(place, paths));
  return entries;
}

Json RuleEntry(const RuleInfo& rule) {
  return {{"id", rule.id},     {"severity", SeverityName(rule.severity)},
          {"code", rule.code}, {"summary", rule.summary},
          {"help", rule.help}, {"helpPath", RuleHelpPath(rule.id)}};
}

Json FindingEntry(const RuleFinding& finding, const std::string& fingerprint,
                  const ReportPaths& paths) {
  Json entry = {{"rule", finding.ruleId},
                {"severity", SeverityName(finding.severity)},
                {"code", finding.code},
                {"message", text::ToReadable(finding.message)}};
  entry.update(PlaceEntry(finding.place, paths));
  entry["pages"] = finding.pages;
  entry["page"] = finding.page.empty() ? "" : paths.Of(finding.page);
  entry["chain"] = Places(finding.chain, paths);
  entry["related"] = Places(finding.related, paths);
  entry["fingerprint"] = fingerprint;
  entry["cause"] = CauseKey(finding);
  return entry;
}

Json Summary(const CheckResult& result) {
  Json byRule = Json::object();
  for (const RuleInfo& rule : result.rules) byRule[rule.id] = 0;
  for (const RuleFinding& finding : result.findings) {
    Json& count = byRule[finding.ruleId];
    count = count.get<size_t>() + 1;
  }
  return {{"pages", result.pages},
          {"errors", result.Count(Severity::Error)},
          {"warnings", result.Count(Severity::Warning)},
          {"notes", result.Count(Severity::Note)},
          {"baselined", result.baselined},
          {"rules", byRule}};
}

Json Aborted(const std::vector<PageFailure>& failures, const ReportPaths& paths) {
  Json aborted = Json::array();
  for (const PageFailure& failure : failures) {
    aborted.push_back({{"page", paths.Of(failure.page)}, {"message", failure.message}});
  }
  return aborted;
}

}  // namespace

void WriteJsonCheckReport(const CheckResult& result, const ReportPaths& paths) {
  Json rules = Json::array();
  for (const RuleInfo& rule : result.rules) rules.push_back(RuleEntry(rule));
  Json findings = Json::array();
  for (size_t i = 0; i < result.findings.size(); ++i) {
    findings.push_back(FindingEntry(result.findings[i], result.fingerprints[i], paths));
  }
  const Json document = {{"version", JsonVersion},
                         {"root", text::ToReadable(text::FromUtf8(Utf8OfPath(paths.Root())))},
                         {"base", text::ToReadable(text::FromUtf8(Utf8OfPath(paths.Base())))},
                         {"summary", Summary(result)},
                         {"rules", rules},
                         {"findings", findings},
                         {"aborted", Aborted(result.failures, paths)}};
  WriteOutBytes(document.dump(2, ' ', false, Json::error_handler_t::replace) + "\n");
}

}  // namespace lintra
