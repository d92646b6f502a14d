#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "apps/lintra/CheckResult.h"
#include "apps/lintra/Options.h"
#include "apps/lintra/ReportPaths.h"

namespace lintra {

// How check's text looks.
struct TextLook {
  // Whether every place of every finding is listed, rather than one line per cause.
  bool allPlaces = false;
  // Whether terminal colours mark places, severities and carets.
  bool color = false;
  // The text of a line (from 1) of a file, without its line break; empty when there is none.
  std::function<Text(const Text& file, int32_t line)> lineOf;
};

// Writes `result` to standard output in `format`, naming files by `paths`; `look` is how the
// text looks.
void WriteCheckReport(ReportFormat format, const CheckResult& result, const ReportPaths& paths,
                      const TextLook& look);

// In the style compilers use, one line per cause (see CauseKey): its first place and how many
// places and pages it has; or, when `look.allPlaces`, one line per finding, each followed by its
// source line with a caret under the place and by notes for the directives it is included from,
// innermost first. Then, when some line stands for more places, a line that says so, the count of
// findings of each rule, and last a line of totals per severity.
void WriteTextCheckReport(const CheckResult& result, const ReportPaths& paths,
                          const TextLook& look);
// One JSON document: the rules, the findings, the totals and the pages that failed.
void WriteJsonCheckReport(const CheckResult& result, const ReportPaths& paths);
// A SARIF 2.1.0 log as code scanning reads it: every rule, and a result per finding with its
// place relative to the report base, its include chain and its fingerprint.
void WriteSarifCheckReport(const CheckResult& result, const ReportPaths& paths);
// One workflow command per finding, which a CI run shows as an annotation of its line.
void WriteGithubCheckReport(const CheckResult& result, const ReportPaths& paths);

// "ASP 0126; 500 pages, e.g. default.asp", or "1 page: default.asp" for a finding without a code
// that one page reaches, or "0 pages" for a finding of the project that no page reaches; the
// page named by `paths`.
std::string Reach(const RuleFinding& finding, const ReportPaths& paths);
// Appends Reach(finding, paths) to `out`.
void AppendReach(std::string& out, const RuleFinding& finding, const ReportPaths& paths);

// "checked 5 pages: 2 errors, 1 warning, 0 notes", with the findings the baseline left out
// when there are any.
std::string Totals(const CheckResult& result);

}  // namespace lintra
