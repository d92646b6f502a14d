#include <memory>

#include "analysis/File.h"
#include "apps/lintra/Commands.h"
#include "apps/lintra/ExitCodes.h"
#include "apps/lintra/Output.h"
#include "apps/lintra/Progress.h"
#include "site/ChangedFiles.h"
#include "site/IncludeChain.h"
#include "site/PageReports.h"

namespace lintra {

namespace {

// The files of the --changed arguments. A deleted file is a change too: each is noted on standard
// error once every argument is known to name a file of the site.
ChangedFiles Changed(const Session& session, const std::vector<std::string>& arguments) {
  std::vector<Text> present;
  std::vector<Text> deleted;
  std::vector<std::string> notes;
  for (const std::string& argument : arguments) {
    NamedFile file = session.FileOrDeleted("changed file", argument);
    if (file.exists) {
      present.push_back(std::move(file.path));
    } else {
      deleted.push_back(std::move(file.path));
      notes.push_back(argument);
    }
  }
  for (const std::string& argument : notes) {
    WriteError("note: " + argument + " does not exist; listing the pages that still include it");
  }
  return session.Changed(present, deleted);
}

// What depends prints for `page`, which depends on one of `changed`: its path, its chain of
// directives to a changed file, or its include tree.
Text Dependant(File& page, const Options& options, const ChangedFiles& changed,
               LineIndexes& lines) {
  if (options.tree) return PageTextTree(page);
  if (!options.why) return page.FullPath() + u"\n";
  Text chain = ChainText(IncludeChain(page, changed, lines)) + u"\n";
  lines.Forget(page.Content());
  return chain;
}

}  // namespace

int RunDepends(Session& session, const Options& options) {
  const ChangedFiles changed = Changed(session, options.changed);
  const std::vector<Text> pages = session.Pages();
  LineIndexes lines;
  Progress progress(pages.size());
  for (const Text& page : pages) {
    if (const std::shared_ptr<File> tree = session.DependantPage(page, changed)) {
      WriteOut(Dependant(*tree, options, changed, lines));
    }
    progress.PageDone();
  }
  return ExitCode::Done;
}

}  // namespace lintra
