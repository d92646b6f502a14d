#include <future>
#include <optional>

#include "analysis/File.h"
#include "apps/lintra/Baseline.h"
#include "apps/lintra/CheckReport.h"
#include "apps/lintra/Commands.h"
#include "apps/lintra/ExitCodes.h"
#include "apps/lintra/Fingerprints.h"
#include "apps/lintra/Output.h"
#include "apps/lintra/ParallelCheck.h"
#include "apps/lintra/Progress.h"
#include "apps/lintra/SourceLines.h"
#include "rules/Checker.h"

namespace lintra {

namespace {

// Whether the run shows fingerprints or compares by them: the text formats do neither.
bool NeedsFingerprints(const Options& options) {
  return options.format == ReportFormat::Json || options.format == ReportFormat::Sarif ||
         !options.baseline.empty() || !options.writeBaseline.empty();
}

// What `checker` found, settled and fingerprinted where the run needs it, less what the baseline
// knows; writes the baseline first when asked to.
CheckResult Result(Checker& checker, Session& session, const Options& options,
                   const std::optional<Baseline>& baseline) {
  CheckResult result = Settle(checker.RunningRules(), checker.TakeFindings().TakeFindings());
  if (NeedsFingerprints(options)) {
    SourceLines lines(session);
    result.fingerprints = Fingerprints(
        result.findings, [&](const Text& file, int32_t line) { return lines.Line(file, line); });
  }
  if (!options.writeBaseline.empty()) {
    Baseline::Write(options.writeBaseline, result);
    const size_t count = result.findings.size();
    WriteError("the baseline " + options.writeBaseline + " records " + std::to_string(count) +
               (count == 1 ? " finding" : " findings"));
  }
  if (baseline) baseline->LeaveOutKnown(result);
  result.failures = session.Failures();
  return result;
}

int Status(const CheckResult& result, const Options& options) {
  const bool tooManyWarnings =
      options.maxWarnings && result.Count(Severity::Warning) > *options.maxWarnings;
  if (result.Count(Severity::Error) > 0 || tooManyWarnings) return ExitCode::Findings;
  return ExitCode::Done;
}

}  // namespace

int RunCheck(Session& session, const Options& options) {
  const std::vector<Text> pages = session.Pages();
  const std::optional<Baseline> baseline =
      options.baseline.empty() ? std::nullopt : std::optional(Baseline::Read(options.baseline));
  RuleSettings settings = options.ruleSettings;
  settings.wholeProject = options.pages.empty();
  Checker checker(settings);
  // What the whole project shows (a file no page includes) needs the project's files, listed
  // while the pages are checked.
  std::future<std::vector<Text>> projectFiles;
  if (settings.wholeProject) {
    projectFiles = std::async(std::launch::async, [&] { return session.ProjectFiles(); });
  }
  size_t checked = 0;
  {
    Progress progress(pages.size());
    checked = CheckPages(session, options, pages, checker, progress);
  }
  // A page that failed hides some of the includes the whole project shows.
  if (checked == pages.size()) {
    checker.Finish(projectFiles.valid() ? projectFiles.get() : std::vector<Text>());
  }
  CheckResult result = Result(checker, session, options, baseline);
  result.pages = checked;
  WriteCheckReport(options.format, result, session.Root());
  return Status(result, options);
}

}  // namespace lintra
