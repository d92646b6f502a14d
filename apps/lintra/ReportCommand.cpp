#include <cerrno>
#include <cstring>
#include <fstream>

#include "apps/host/PathText.h"
#include "apps/lintra/Commands.h"
#include "apps/lintra/ExitCodes.h"
#include "apps/lintra/Markup.h"
#include "apps/lintra/Output.h"
#include "apps/lintra/PageChunks.h"
#include "apps/lintra/ReportPage.h"
#include "apps/lintra/SiteCheck.h"
#include "apps/lintra/SiteSurvey.h"

namespace lintra {

namespace {

// Opens --output for writing before any analysis, so that a path that cannot be written to is
// told at once; throws UsageError when it cannot be opened.
std::ofstream OpenOutput(const std::string& path) {
  std::ofstream out(PathOfText(path), std::ios::binary | std::ios::trunc);
  if (!out) throw UsageError("cannot write " + path + ": " + std::strerror(errno));
  return out;
}

}  // namespace

int RunReport(Session& session, const Options& options) {
  const bool toStandardOutput = options.output == "-";
  std::ofstream file;
  if (!toStandardOutput) file = OpenOutput(options.output);
  SiteSurvey survey(true, RunSettings(options, session));
  SurveyPages(session, options, survey);
  const std::string root = text::ToReadable(text::FromUtf8(options.root));
  const std::launch launch = LaunchFor(JobsFor(options.jobs, survey.Pages().size()));
  if (toStandardOutput) {
    WriteReportPage(survey, root, session.Failures(), launch, WriteOutBytes);
    return ExitCode::Done;
  }
  WriteReportPage(survey, root, session.Failures(), launch, [&](std::string_view piece) {
    file.write(piece.data(), static_cast<std::streamsize>(piece.size()));
  });
  file.close();
  if (!file) {
    WriteError("could not write " + options.output);
    return ExitCode::AnalysisFailed;
  }
  WriteOutBytes("wrote " + options.output + "\n");
  return ExitCode::Done;
}

}  // namespace lintra
