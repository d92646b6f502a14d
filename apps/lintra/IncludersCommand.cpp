#include <memory>

#include "analysis/File.h"
#include "apps/lintra/Commands.h"
#include "apps/lintra/ExitCodes.h"
#include "apps/lintra/Output.h"
#include "apps/lintra/Progress.h"
#include "site/IncludeIndex.h"

namespace lintra {

namespace {

// The directives that include `file`, one "file:line" a line, a blank line, then the pages that
// reach it, one a line; one line that says so when no page does.
Text Listing(const IncludeIndex& index, const Text& file) {
  const std::vector<Text> pages = index.Pages(file);
  if (pages.empty()) return u"no page includes " + file + u"\n";
  Text listing;
  for (const Includer& includer : index.Includers(file)) {
    listing += includer.file + u":" + text::FromNumber(includer.line) + u"\n";
  }
  listing += u"\n";
  for (const Text& page : pages) listing += page + u"\n";
  return listing;
}

// The listing of each of `files`; of several files, each under a heading "==> FILE <==" and
// apart from the one before it by a blank line.
Text Listings(const IncludeIndex& index, const std::vector<Text>& files) {
  if (files.size() == 1) return Listing(index, files.front());
  Text listings;
  for (const Text& file : files) {
    if (!listings.empty()) listings += u"\n";
    listings += u"==> " + file + u" <==\n" + Listing(index, file);
  }
  return listings;
}

}  // namespace

int RunIncluders(Session& session, const Options& options) {
  std::vector<Text> files;
  for (const std::string& argument : options.files) {
    files.push_back(session.ExistingFile("file", argument));
  }
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
  WriteOutBytes(text::ToReadable(Listings(index, files)));
  return ExitCode::Done;
}

}  // namespace lintra
