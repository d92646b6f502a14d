#include <memory>

#include "analysis/File.h"
#include "apps/lintra/Commands.h"
#include "apps/lintra/ExitCodes.h"
#include "apps/lintra/Output.h"
#include "apps/lintra/Progress.h"
#include "site/MatchList.h"
#include "site/PageReports.h"

namespace {

// The web paths of the --changed arguments, in order.
std::vector<Text> ChangedFiles(const Session& session, const std::vector<std::string>& changed) {
  std::vector<Text> webPaths;
  for (const std::string& argument : changed) {
    webPaths.push_back(session.ExistingFile("changed file", argument));
  }
  return webPaths;
}

}  // namespace

int RunDepends(Session& session, const Options& options) {
  const TextArray matches = MatchList(ChangedFiles(session, options.changed));
  const std::vector<Text> pages = session.Pages();
  Progress progress(pages.size());
  for (const Text& page : pages) {
    if (const std::shared_ptr<File> tree = session.DependantPage(page, matches)) {
      WriteOut(options.tree ? PageTextTree(*tree) : tree->FullPath() + u"\n");
    }
    progress.PageDone();
  }
  return ExitCode::Done;
}
