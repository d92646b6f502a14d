#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <utility>

#include "analysis/File.h"
#include "apps/host/PathText.h"
#include "apps/lintra/Baseline.h"
#include "apps/lintra/CheckReport.h"
#include "apps/lintra/Commands.h"
#include "apps/lintra/ExitCodes.h"
#include "apps/lintra/Fingerprints.h"
#include "apps/lintra/Output.h"
#include "apps/lintra/PageChunks.h"
#include "apps/lintra/SiteCheck.h"
#include "apps/lintra/SourceLines.h"
#include "rules/Checker.h"
#include "rules/RootBelow.h"

namespace lintra {

namespace {

// Whether the run shows fingerprints or compares by them: the text formats do neither.
bool NeedsFingerprints(const Options& options) {
  return options.format == ReportFormat::Json || options.format == ReportFormat::Sarif ||
         !options.baseline.empty() || !options.writeBaseline.empty();
}

// What `checker` found, settled on `jobs` threads at most and fingerprinted where the run needs
// it, less what the baseline knows; writes the baseline first when asked to, naming files by
// `paths`.
CheckResult Result(Checker& checker, Session& session, SourceLines& lines, const Options& options,
                   const std::optional<Baseline>& baseline, unsigned jobs,
                   const ReportPaths& paths) {
  CheckResult result =
      Settle(checker.RunningRules(), checker.TakeFindings().TakeFindings(), LaunchFor(jobs));
  LeaveOutBelow(result, options.leastSeverity);
  if (NeedsFingerprints(options)) {
    result.fingerprints = Fingerprints(
        result.findings, [&](const Text& file, int32_t line) { return lines.Line(file, line); });
  }
  if (!options.writeBaseline.empty()) {
    Baseline::Write(options.writeBaseline, result, paths);
    const size_t count = result.findings.size();
    WriteError("the baseline " + options.writeBaseline + " records " + std::to_string(count) +
               (count == 1 ? " finding" : " findings"));
  }
  if (baseline) baseline->LeaveOutKnown(result);
  result.failures = session.Failures();
  return result;
}

// The exit status of a check that found `result`, with a line on standard error that says why
// when it fails; an incomplete run (`session` has failures or unreadable files) is told by those
// instead.
int Status(const Session& session, const CheckResult& result, const Options& options) {
  if (!session.Failures().empty() || !session.UnreadableFiles().empty()) {
    return ExitCode::AnalysisFailed;
  }
  const size_t errors = result.Count(Severity::Error);
  const size_t warnings = result.Count(Severity::Warning);
  if (errors > 0) {
    WriteError(std::to_string(errors) + (errors == 1 ? " error" : " errors") + " found");
    return ExitCode::Findings;
  }
  if (options.maxWarnings && warnings > *options.maxWarnings) {
    WriteError(std::to_string(warnings) + (warnings == 1 ? " warning" : " warnings") +
               ", more than --max-warnings " + std::to_string(*options.maxWarnings));
    return ExitCode::Findings;
  }
  return ExitCode::Done;
}

// Says which folder looks like the site's root when most of the virtual includes that were not
// found name files below it (see FindRootBelow): the check most likely ran from above the root.
// `lineOf` gives the text of a line of a file.
void HintAtRootBelow(const CheckResult& result, const Session& session, const Options& options,
                     const std::function<Text(const Text&, int32_t)>& lineOf) {
  const std::set<Text> missing = MissingVirtualPaths(result.findings, lineOf);
  if (missing.size() < 2) return;
  const std::optional<RootBelow> below = FindRootBelow(missing, session.ProjectFiles());
  if (!below) return;
  const std::filesystem::path root =
      PathOfText(options.root) / PathOfText(text::ToReadable(below->folder));
  WriteError(below->Said("check with --root " + Utf8OfPath(root) + " (or root in lintra.toml)"));
}

}  // namespace

int RunCheck(Session& session, const Options& options) {
  const std::vector<Text> pages = session.Pages();
  const std::optional<Baseline> baseline =
      options.baseline.empty() ? std::nullopt : std::optional(Baseline::Read(options.baseline));
  Checker checker(RunSettings(options, session));
  const size_t checked = CheckRun(session, options, pages, checker, FindingSet::MergeOrder::Any);
  const ReportPaths paths(session.Root(), options.base, options.virtualDirectories);
  SourceLines lines(session);
  // Settling sorts in two halves at most, whatever the number of pages.
  CheckResult result =
      Result(checker, session, lines, options, baseline, JobsFor(options.jobs, 2), paths);
  result.pages = checked;
  const TextLook look{options.allPlaces, ColorWanted(options.color),
                      [&lines](const Text& file, int32_t line) { return lines.Line(file, line); }};
  WriteCheckReport(options.format, result, paths, look);
  HintAtRootBelow(result, session, options, look.lineOf);
  const int status = Status(session, result, options);
  session.KeepToTheEnd(std::move(result));
  session.KeepToTheEnd(std::move(checker));
  session.KeepToTheEnd(std::move(lines));
  return status;
}

}  // namespace lintra
