#include <memory>

#include "analysis/File.h"
#include "apps/lintra/Commands.h"
#include "apps/lintra/ExitCodes.h"
#include "apps/lintra/Output.h"
#include "apps/lintra/Progress.h"
#include "site/MatchList.h"
#include "site/ShownTrees.h"

namespace {

// The web paths of the --changed arguments, in order.
std::vector<Text> ChangedFiles(const Session& session, const std::vector<std::string>& changed) {
  std::vector<Text> webPaths;
  for (const std::string& argument : changed) webPaths.push_back(session.ChangedFile(argument));
  return webPaths;
}

// The full path of every page shown, one per line.
Text PageLines(const ShownTrees& shown) {
  Text lines;
  for (const std::shared_ptr<File>& page : shown.Pages()) lines += page->FullPath() + u"\n";
  return lines;
}

}  // namespace

int RunDepends(Session& session, const Options& options) {
  const TextArray matches = MatchList(ChangedFiles(session, options.changed));
  const std::vector<Text> pages = session.Pages();
  ShownTrees shown;
  {
    Progress progress(pages.size());
    for (const Text& page : pages) {
      if (std::shared_ptr<File> tree = session.DependantPage(page, matches)) {
        shown.Show(std::move(tree));
      }
      progress.PageDone();
    }
  }
  WriteOut(options.tree ? shown.TextTree() : PageLines(shown));
  return ExitCode::Done;
}
