#include <memory>

#include "analysis/File.h"
#include "apps/lintra/Commands.h"
#include "apps/lintra/ExitCodes.h"
#include "apps/lintra/Output.h"
#include "apps/lintra/Progress.h"
#include "site/IncludeChain.h"
#include "site/MatchList.h"
#include "site/PageReports.h"

namespace lintra {

namespace {

// The web paths of the --changed arguments, in order.
std::vector<Text> ChangedFiles(const Session& session, const std::vector<std::string>& changed) {
  std::vector<Text> webPaths;
  for (const std::string& argument : changed) {
    webPaths.push_back(session.ExistingFile("changed file", argument));
  }
  return webPaths;
}

// What depends prints for `page`, which depends on one of `changed`: its path, its chain of
// directives to a changed file, or its include tree.
Text Dependant(File& page, const Options& options, const std::vector<Text>& changed,
               LineIndexes& lines) {
  if (options.tree) return PageTextTree(page);
  if (!options.why) return page.FullPath() + u"\n";
  Text chain = ChainText(IncludeChain(page, changed, lines)) + u"\n";
  lines.Forget(page.Content());
  return chain;
}

}  // namespace

int RunDepends(Session& session, const Options& options) {
  const std::vector<Text> changed = ChangedFiles(session, options.changed);
  const std::vector<Text> pages = session.Pages();
  const TextArray matches = MatchList(changed);
  LineIndexes lines;
  Progress progress(pages.size());
  for (const Text& page : pages) {
    if (const std::shared_ptr<File> tree = session.DependantPage(page, matches)) {
      WriteOut(Dependant(*tree, options, changed, lines));
    }
    progress.PageDone();
  }
  return ExitCode::Done;
}

}  // namespace lintra
