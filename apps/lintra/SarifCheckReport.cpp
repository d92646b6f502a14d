#include <nlohmann/json.hpp>
#include <string>

#include "apps/host/PathText.h"
#include "apps/lintra/CheckReport.h"
#include "apps/lintra/Fingerprints.h"
#include "apps/lintra/Output.h"
#include "apps/version/Version.h"

namespace lintra {

using Json = nlohmann::ordered_json;

namespace {

// The base that every location is relative to: the report base, which a repository's checkout
// takes as its source root.
constexpr const char* BaseId = "SRCROOT";

bool IsUnreserved(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '.' || c == '_' || c == '~';
}

// `path` as a URI reference: every byte but the unreserved ones and "/" percent-encoded.
std::string UriEscaped(const std::string& path) {
  static const char* const digits = "0123456789ABCDEF";
  std::string uri;
  for (const char byte : path) {
    const auto c = static_cast<unsigned char>(byte);
    if (IsUnreserved(c) || c == '/') {
      uri.push_back(static_cast<char>(c));
    } else {
      uri += {'%', digits[c >> 4], digits[c & 15]};
    }
  }
  return uri;
}

// "missing-include" as "MissingInclude".
std::string RuleName(const std::string& id) {
  std::string name;
  bool upper = true;
  for (const char c : id) {
    if (c == '-') {
      upper = true;
    } else {
      name += upper ? static_cast<char>(std::toupper(static_cast<unsigned char>(c))) : c;
      upper = false;
    }
  }
  return name;
}

// The rule with its help inline, and the address of its published page when the build names one
// (LINTRA_RULE_DOCS_URI): an installed copy is no address that code scanning's readers can open.
Json RuleEntry(const RuleInfo& rule) {
  const std::string code = rule.code.empty() ? "" : " (" + rule.code + ")";
  const std::string published = LINTRA_RULE_DOCS_URI;
  const std::string page = published.empty() ? "" : published + rule.id + ".md";
  Json entry = {{"id", rule.id},
                {"name", RuleName(rule.id)},
                {"shortDescription", {{"text", rule.summary}}},
                {"fullDescription", {{"text", rule.help}}},
                {"help",
                 {{"text", rule.help + (page.empty() ? "" : " See " + page + ".")},
                  {"markdown", "**" + rule.id + "**" + code + ": " + rule.help +
                                   (page.empty() ? "" : "\n\nSee [" + page + "](" + page + ").")}}},
                {"defaultConfiguration", {{"level", SeverityName(rule.severity)}}}};
  if (!page.empty()) entry["helpUri"] = page;
  return entry;
}

// The file at web path `file`, relative to the base, by the bytes of its name on disk.
Json ArtifactLocation(const Text& file, const ReportPaths& paths) {
  return {{"uri", UriEscaped(paths.BytesOf(file))}, {"uriBaseId", BaseId}};
}

// `place` in its file. A place on a whole file is given as the empty region at the file's start,
// since code scanning shows no result without a line.
Json PhysicalLocation(const Place& place, const ReportPaths& paths) {
  const Place at = place.line > 0 ? place : Place{place.file, 1, 1, 1, 1};
  return {{"artifactLocation", ArtifactLocation(at.file, paths)},
          {"region",
           {{"startLine", at.line},
            {"startColumn", at.column},
            {"endLine", at.endLine},
            {"endColumn", at.endColumn}}}};
}

// The include chain from the first page that reaches the finding, then its other places.
Json RelatedLocations(const RuleFinding& finding, const ReportPaths& paths) {
  Json related = Json::array();
  const auto add = [&](const Place& place, const std::string& text) {
    related.push_back({{"id", related.size() + 1},
                       {"physicalLocation", PhysicalLocation(place, paths)},
                       {"message", {{"text", text + paths.Of(place.file)}}}});
  };
  for (const Place& step : finding.chain) add(step, "included from ");
  for (const Place& place : finding.related) add(place, "see also ");
  return related;
}

Json ResultEntry(const RuleFinding& finding, const std::string& fingerprint, size_t ruleIndex,
                 const ReportPaths& paths) {
  Json result = {
      {"ruleId", finding.ruleId},
      {"ruleIndex", ruleIndex},
      {"level", SeverityName(finding.severity)},
      {"message",
       {{"text", text::ToReadable(finding.message) + " (" + Reach(finding, paths) + ")"}}},
      {"locations", Json::array({{{"physicalLocation", PhysicalLocation(finding.place, paths)}}})},
      {"partialFingerprints", {{"primaryLocationLineHash", fingerprint}}},
      {"properties",
       {{"pages", finding.pages},
        {"page", finding.page.empty() ? "" : paths.Of(finding.page)},
        {"cause", CauseKey(finding)}}}};
  const Json related = RelatedLocations(finding, paths);
  if (!related.empty()) result["relatedLocations"] = related;
  return result;
}

// Whether the run succeeded, with a notification for each page that failed.
Json Invocation(const std::vector<PageFailure>& failures, const ReportPaths& paths) {
  Json notifications = Json::array();
  for (const PageFailure& failure : failures) {
    const Json location = {
        {"physicalLocation", {{"artifactLocation", ArtifactLocation(failure.page, paths)}}}};
    notifications.push_back({{"level", "error"},
                             {"message", {{"text", failure.message}}},
                             {"locations", Json::array({location})}});
  }
  return {{"executionSuccessful", failures.empty()}, {"toolExecutionNotifications", notifications}};
}

}  // namespace

void WriteSarifCheckReport(const CheckResult& result, const ReportPaths& paths) {
  Json rules = Json::array();
  for (const RuleInfo& rule : result.rules) rules.push_back(RuleEntry(rule));
  Json results = Json::array();
  for (size_t i = 0; i < result.findings.size(); ++i) {
    const RuleFinding& finding = result.findings[i];
    results.push_back(
        ResultEntry(finding, result.fingerprints[i], result.RuleIndex(finding.ruleId), paths));
  }
  // A Windows path starts with its drive ("C:/site"), which a URI's path follows a "/".
  const std::string basePath = GenericUtf8OfPath(paths.Base());
  std::string baseUri =
      "file://" + UriEscaped(basePath.starts_with('/') ? basePath : "/" + basePath);
  if (baseUri.back() != '/') baseUri += '/';
  const Json driver = {{"name", "lintra"}, {"version", LintraVersion()}, {"rules", rules}};
  const Json run = {{"tool", {{"driver", driver}}},
                    {"invocations", Json::array({Invocation(result.failures, paths)})},
                    {"originalUriBaseIds", {{BaseId, {{"uri", baseUri}}}}},
                    {"columnKind", "utf16CodeUnits"},
                    {"results", results}};
  const Json log = {{"$schema", "https://json.schemastore.org/sarif-2.1.0.json"},
                    {"version", "2.1.0"},
                    {"runs", Json::array({run})}};
  WriteOutBytes(log.dump(2, ' ', false, Json::error_handler_t::replace) + "\n");
}

}  // namespace lintra
