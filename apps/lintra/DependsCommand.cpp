#include <memory>

#include "analysis/File.h"
#include "apps/lintra/Commands.h"
#include "apps/lintra/ExitCodes.h"
#include "apps/lintra/Output.h"
#include "apps/lintra/Progress.h"

namespace {

// The match list the control expects: rows from 0, each entry in column 1.
TextArray MatchList(const Session& session, const std::vector<std::string>& changed) {
  const auto rows = static_cast<int32_t>(changed.size());
  TextArray matches(0, rows - 1, 0, 1);
  for (int32_t row = 0; row < rows; ++row) {
    matches.At(row, 1) = session.MatchEntry(changed[static_cast<size_t>(row)]);
  }
  return matches;
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
  const TextArray matches = MatchList(session, options.changed);
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
