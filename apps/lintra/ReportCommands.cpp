#include "analysis/File.h"
#include "apps/lintra/Commands.h"
#include "apps/lintra/ExitCodes.h"
#include "apps/lintra/Output.h"
#include "apps/lintra/Progress.h"
#include "site/PageReports.h"

namespace lintra {

namespace {

// The tree of `page` as the session analyses it, or null when its analysis failed or the page
// could not be read, which the session reports.
std::shared_ptr<File> ReadablePage(Session& session, const Text& page) {
  std::shared_ptr<File> tree = session.AnalysePage(page);
  return tree && !tree->Unreadable() ? tree : nullptr;
}

// Analyses the one page of the run and writes what `report` makes of it.
template <class Report>
int ReportOnPage(Session& session, Report report) {
  if (const std::shared_ptr<File> page = ReadablePage(session, session.Pages().front())) {
    WriteOut(report(*page));
  }
  return ExitCode::Done;
}

}  // namespace

int RunTree(Session& session) {
  const std::vector<Text> pages = session.Pages();
  Progress progress(pages.size());
  for (const Text& page : pages) {
    if (const std::shared_ptr<File> tree = ReadablePage(session, page))
      WriteOut(PageTextTree(*tree));
    progress.PageDone();
  }
  return ExitCode::Done;
}

int RunComplete(Session& session) {
  return ReportOnPage(session, CompleteFile);
}

int RunWarnings(Session& session) {
  return ReportOnPage(session, PageWarnings);
}

}  // namespace lintra
