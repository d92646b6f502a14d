#include "analysis/File.h"
#include "analysis/TextTree.h"
#include "control/ControlSupport.h"
#include "control/Lintra.h"
#include "errors/modPendryError.h"

namespace lintra {

// Draws every page of the tree view, in the order the pages were added, each followed by two
// empty lines. Abandoned on an error, it returns the pages completed so far.
Text Lintra::TextTree() {
  ErrorTrap trap(u"Lintra", u"TextTree");
  Text result;
  for (const std::shared_ptr<Node>& node : tvLintra_.GetNodes()) {
    if (node->ParentNode()) continue;
    Text page;
    const bool done = trap.Step([&] {
      std::shared_ptr<File> file = control::FileOf(*node);
      if (!control::Deref(file).RootFile()) file = file->BaseFile();
      AppendTextTree(control::Deref(file), page);
    });
    if (!done) break;
    result += page;
  }
  return result;
}

}  // namespace lintra
