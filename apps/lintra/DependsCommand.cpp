#include <memory>

#include "analysis/File.h"
#include "apps/lintra/Commands.h"
#include "apps/lintra/ExitCodes.h"
#include "apps/lintra/Output.h"
#include "apps/lintra/Progress.h"
#include "site/MatchList.h"

namespace {

// The web paths of the --changed arguments, in order.
std::vector<Text> ChangedFiles(const Session& session, const std::vector<std::string>& changed) {
  std::vector<Text> webPaths;
  for (const std::string& argument : changed) webPaths.push_back(session.ChangedFile(argument));
  return webPaths;
}

// The full path of the page of every top-level node, one per line.
Text ShownPages(Lintra& control) {
  Text lines;
  for (const std::shared_ptr<Node>& node : control.tvLintra().GetNodes()) {
    if (node->ParentNode() != nullptr) continue;
    if (auto page = std::dynamic_pointer_cast<File>(node->Tag())) lines += page->FullPath() + u"\n";
  }
  return lines;
}

}  // namespace

int RunDepends(Session& session, const Options& options) {
  const TextArray matches = MatchList(ChangedFiles(session, options.changed));
  const std::vector<Text> pages = session.Pages();
  {
    Progress progress(pages.size());
    for (const Text& page : pages) {
      session.DisplayIfDependant(page, matches);
      progress.PageDone();
    }
  }
  WriteOut(options.tree ? session.Control().TextTree() : ShownPages(session.Control()));
  return ExitCode::Done;
}
