#include <nlohmann/json.hpp>
#include <string>

#include "analysis/File.h"
#include "apps/lintra/CheckReport.h"
#include "apps/lintra/Output.h"

namespace lintra {

using Json = nlohmann::ordered_json;

namespace {

constexpr const char* RootBase = "SRCROOT";

struct Rule {
  const char* id;
  const char* name;
  const char* description;
  const char* level;
};

// One rule per finding kind, in the order of FindingKind.
constexpr Rule Rules[] = {
    {"missing-include", "MissingInclude",
     "An included file cannot be found, or an include directive names no file", "error"},
    {"circular-include", "CircularInclude", "A file includes itself through its own includes",
     "error"},
    {"duplicate-include", "DuplicateInclude", "A file is included more than once in one page",
     "warning"},
};

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

Json RuleEntry(const Rule& rule) {
  return {{"id", rule.id},
          {"name", rule.name},
          {"shortDescription", {{"text", rule.description}}},
          {"defaultConfiguration", {{"level", rule.level}}}};
}

Json Location(const FindingDetails& finding) {
  Json physical = {{"artifactLocation",
                    {{"uri", UriEscaped(text::ToUtf8(finding.file))}, {"uriBaseId", RootBase}}}};
  if (finding.at) {
    physical["region"] = {{"startLine", finding.at->line}, {"startColumn", finding.at->column}};
  }
  return {{"physicalLocation", physical}};
}

// The run as an invocation that did not succeed, with a notification for each page that failed.
Json FailedInvocation(const std::vector<PageFailure>& failures) {
  Json notifications = Json::array();
  for (const PageFailure& failure : failures) {
    const Json artifact = {{"uri", UriEscaped(text::ToUtf8(failure.page))},
                           {"uriBaseId", RootBase}};
    const Json location = {{"physicalLocation", {{"artifactLocation", artifact}}}};
    notifications.push_back({{"level", "error"},
                             {"message", {{"text", failure.message}}},
                             {"locations", Json::array({location})}});
  }
  return {{"executionSuccessful", false}, {"toolExecutionNotifications", notifications}};
}

Json ResultEntry(FindingKind kind, const FindingDetails& finding) {
  const auto index = static_cast<size_t>(kind);
  return {{"ruleId", Rules[index].id},
          {"ruleIndex", index},
          {"level", Rules[index].level},
          {"message", {{"text", text::ToUtf8(finding.message)}}},
          {"locations", Json::array({Location(finding)})}};
}

// Gathers results over all pages, once per distinct finding: an include shared by many pages
// gives its missing file once, not once per page. Prints the log at the end, with an invocation
// that did not succeed when a page failed.
class SarifCheckReport : public CheckReport {
 public:
  explicit SarifCheckReport(const std::filesystem::path& root) : root_(root) {}

  void AddPage(File& page, const std::vector<Finding>& findings) override {
    distinct_.NextPage();
    for (const Finding& finding : findings) {
      if (distinct_.Add(finding)) {
        results_.push_back(ResultEntry(finding.kind, Describe(finding, page, lines_)));
      }
    }
    lines_.Forget(page.Content());
  }

  void Finish(const CheckSummary&, const std::vector<PageFailure>& failures) override {
    Json rules = Json::array();
    for (const Rule& rule : Rules) rules.push_back(RuleEntry(rule));
    std::string rootUri = "file://" + UriEscaped(root_.generic_string());
    if (rootUri.back() != '/') rootUri += '/';
    Json run = {{"tool", {{"driver", {{"name", "lintra"}, {"rules", rules}}}}},
                {"originalUriBaseIds", {{RootBase, {{"uri", rootUri}}}}},
                {"columnKind", "utf16CodeUnits"},
                {"results", results_}};
    if (!failures.empty()) run["invocations"] = Json::array({FailedInvocation(failures)});
    const Json log = {{"$schema", "https://json.schemastore.org/sarif-2.1.0.json"},
                      {"version", "2.1.0"},
                      {"runs", Json::array({run})}};
    WriteOutBytes(log.dump(2, ' ', false, Json::error_handler_t::replace) + "\n");
  }

 private:
  std::filesystem::path root_;
  DistinctFindings distinct_;
  Json results_ = Json::array();
  LineIndexes lines_;
};

}  // namespace

std::unique_ptr<CheckReport> MakeSarifCheckReport(const std::filesystem::path& root) {
  return std::make_unique<SarifCheckReport>(root);
}

}  // namespace lintra
