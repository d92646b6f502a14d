#include <memory>

#include "analysis/File.h"
#include "apps/lintra/CheckReport.h"
#include "apps/lintra/Commands.h"
#include "apps/lintra/ExitCodes.h"
#include "apps/lintra/Progress.h"

namespace {

// The page of the control's only tree.
std::shared_ptr<File> ShownPage(Lintra& control) {
  const Nodes& nodes = control.tvLintra().GetNodes();
  return nodes.size() == 0 ? nullptr : std::dynamic_pointer_cast<File>((*nodes.begin())->Tag());
}

}  // namespace

int RunCheck(Session& session, const Options& options) {
  const std::vector<Text> pages = session.Pages();
  const std::unique_ptr<CheckReport> report = MakeCheckReport(options.format, session.Root());
  CheckSummary summary;
  LineIndexes lines;
  {
    Progress progress(pages.size());
    for (const Text& page : pages) {
      session.ParsePage(page);
      if (const std::shared_ptr<File> root = ShownPage(session.Control())) {
        const std::vector<Finding> findings = PageFindings(*root, lines);
        report->AddPage(session.Control(), *root, findings);
        summary.Add(findings);
      }
      session.Control().ClearTree();
      progress.PageDone();
    }
  }
  report->Finish(summary);
  return summary.Critical() ? ExitCode::CriticalFindings : ExitCode::Done;
}
