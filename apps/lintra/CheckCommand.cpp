#include <memory>

#include "analysis/File.h"
#include "apps/lintra/CheckReport.h"
#include "apps/lintra/Commands.h"
#include "apps/lintra/ExitCodes.h"
#include "apps/lintra/Progress.h"

namespace lintra {

int RunCheck(Session& session, const Options& options) {
  const std::vector<Text> pages = session.Pages();
  const std::unique_ptr<CheckReport> report = MakeCheckReport(options.format, session.Root());
  CheckSummary summary;
  {
    Progress progress(pages.size());
    for (const Text& page : pages) {
      if (const std::shared_ptr<File> root = session.AnalysePage(page)) {
        const std::vector<Finding> findings = PageFindings(*root);
        report->AddPage(*root, findings);
        summary.Add(findings);
      }
      progress.PageDone();
    }
  }
  report->Finish(summary, session.Failures());
  return summary.Critical() ? ExitCode::CriticalFindings : ExitCode::Done;
}

}  // namespace lintra
