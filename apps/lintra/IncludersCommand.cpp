#include <memory>

#include "analysis/File.h"
#include "apps/lintra/Commands.h"
#include "apps/lintra/ExitCodes.h"
#include "apps/lintra/Output.h"
#include "apps/lintra/Progress.h"
#include "site/IncludeIndex.h"

namespace lintra {

namespace {

// The directives, one "file:line" a line, a blank line, then the pages, one a line.
Text Listing(const std::vector<Includer>& includers, const std::vector<Text>& pages) {
  Text listing;
  for (const Includer& includer : includers) {
    listing += includer.file + u":" + text::FromNumber(includer.line) + u"\n";
  }
  listing += u"\n";
  for (const Text& page : pages) listing += page + u"\n";
  return listing;
}

}  // namespace

int RunIncluders(Session& session, const Options& options) {
  const Text file = session.ExistingFile("file", options.file);
  const std::vector<Text> pages = session.Pages();
  IncludeIndex index;
  LineIndexes lines;
  {
    Progress progress(pages.size());
    for (const Text& page : pages) {
      if (const std::shared_ptr<File> tree = session.AnalysePage(page)) {
        index.Add(PageTree(*tree), lines);
        lines.Forget(tree->Content());
      }
      progress.PageDone();
    }
  }
  WriteOut(Listing(index.Includers(file), index.Pages(file)));
  return ExitCode::Done;
}

}  // namespace lintra
