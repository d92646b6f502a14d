#include "apps/lsp/Diagnostics.h"

#include <algorithm>
#include <map>
#include <optional>
#include <string_view>
#include <tuple>
#include <vector>

#include "rules/UnusedIncludeRule.h"

namespace lintra::lsp {

namespace {

int SeverityOf(Severity severity) {
  switch (severity) {
    case Severity::Error:
      return 1;
    case Severity::Warning:
      return 2;
    case Severity::Note:
      return 3;
  }
  return 1;
}

// The range of `place`; a place of the file as a whole covers the file's first line, so that
// editors underline something a reader can see.
Json RangeIn(const Workspace& workspace, const Place& place) {
  if (place.line != 0) return RangeOf(place);
  const std::optional<Text> text = workspace.CurrentText(place.file);
  const size_t end = text ? std::min(text->find_first_of(u"\r\n"), text->size()) : 0;
  return RangeOf(1, 1, 1, static_cast<int32_t>(end) + 1);
}

void AddRelated(Workspace& workspace, Json& related, const Place& place,
                const std::string& message) {
  const std::string uri = workspace.UriOf(place.file);
  if (uri.empty()) return;
  related.push_back(
      {{"location", {{"uri", uri}, {"range", RangeIn(workspace, place)}}}, {"message", message}});
}

Json DiagnosticOf(Workspace& workspace, const RuleFinding& finding, const std::string& helpBase) {
  std::string message = text::ToReadable(finding.message);
  if (!finding.code.empty()) message += " (" + std::string(finding.code) + ")";
  if (finding.pages > 1) message += " (in " + std::to_string(finding.pages) + " pages)";
  Json related = Json::array();
  for (const Place& place : finding.related) AddRelated(workspace, related, place, "see also");
  const std::string page = text::ToReadable(finding.page);
  for (size_t step = 0; step < finding.chain.size(); ++step) {
    AddRelated(workspace, related, finding.chain[step],
               "include chain from " + page + " (" + std::to_string(step + 1) + " of " +
                   std::to_string(finding.chain.size()) + ")");
  }
  Json diagnostic = {{"range", RangeIn(workspace, finding.place)},
                     {"severity", SeverityOf(finding.severity)},
                     {"code", finding.ruleId},
                     {"source", "lintra"},
                     {"message", message}};
  if (!helpBase.empty())
    diagnostic["codeDescription"] = {{"href", helpBase + std::string(finding.ruleId) + ".md"}};
  if (!related.empty()) diagnostic["relatedInformation"] = std::move(related);
  return diagnostic;
}

// Leaves out of `findings`, gathered over the `reaching` pages of one file, the unused-include
// findings that the index cannot judge as check does: unless `judged` (the site is indexed and
// none of these pages waits to be checked again), all of them; otherwise those that some page
// reaching the file did not report, as it needs the directive. A page that reaches the file only
// where its directives are not followed (a circular include) reports none either, so the note is
// left out there too: shown late, or not at all, rather than shown wrong.
void LeaveOutUnjudged(std::vector<RuleFinding>& findings, size_t reaching, bool judged) {
  std::erase_if(findings, [&](const RuleFinding& finding) {
    return finding.ruleId == UnusedIncludeRule::Id &&
           (!judged || static_cast<size_t>(finding.pages) != reaching);
  });
}

}  // namespace

Json DiagnosticsOf(Workspace& workspace, uint32_t file, const std::function<bool(uint32_t)>& stale,
                   bool indexed, const std::string& helpBase) {
  // One diagnostic per rule and place, as check keeps one finding per rule and place: the first
  // page that reaches the place words it, and every page that reaches it counts.
  using Key = std::tuple<std::string_view, int32_t, int32_t>;
  std::map<Key, size_t> seen;
  std::vector<RuleFinding> findings;
  const SiteIndex& index = workspace.Index();
  const std::vector<uint32_t>& reaching = index.Reaching(file);
  bool anyStale = false;
  for (const uint32_t page : reaching) {
    if (stale(page)) {
      anyStale = true;
      continue;
    }
    for (const RuleFinding& finding : index.Record(page)->findings) {
      if (index.Find(finding.place.file) != file) continue;
      const auto [at, added] = seen.try_emplace(
          {finding.ruleId, finding.place.line, finding.place.column}, findings.size());
      if (added) {
        findings.push_back(finding);
      } else {
        ++findings[at->second].pages;
      }
    }
  }
  LeaveOutUnjudged(findings, reaching.size(), indexed && !anyStale);
  if (indexed) {
    for (RuleFinding& finding : workspace.UnusedFindings(file))
      findings.push_back(std::move(finding));
  }
  Json diagnostics = Json::array();
  for (const RuleFinding& finding : findings) {
    diagnostics.push_back(DiagnosticOf(workspace, finding, helpBase));
  }
  return diagnostics;
}

}  // namespace lintra::lsp
