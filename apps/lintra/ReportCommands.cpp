#include "apps/lintra/Commands.h"
#include "apps/lintra/ExitCodes.h"
#include "apps/lintra/Output.h"
#include "apps/lintra/Progress.h"

namespace {

// Analyses the one page of the run and writes what `report` makes of it.
template <class Report>
int ReportOnPage(Session& session, Report report) {
  session.ParsePage(session.Pages().front());
  WriteOut(report(session.Control()));
  return ExitCode::Done;
}

}  // namespace

int RunTree(Session& session) {
  const std::vector<Text> pages = session.Pages();
  {
    Progress progress(pages.size());
    for (const Text& page : pages) {
      session.ParsePage(page);
      progress.PageDone();
    }
  }
  WriteOut(session.Control().TextTree());
  return ExitCode::Done;
}

int RunComplete(Session& session) {
  return ReportOnPage(session, [](Lintra& control) { return control.GetCompleteFile(); });
}

int RunWarnings(Session& session) {
  return ReportOnPage(session, [](Lintra& control) { return control.GetWarnings(); });
}
