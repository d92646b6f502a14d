#pragma once

#include <unordered_set>
#include <vector>

#include "platform/Text.h"
#include "platform/TextArray.h"

namespace lintra {

class File;

// The files a change touched, for finding the pages that depend on them. A file that exists is
// known by its full path, as the control's dependency search compares it. A deleted file cannot be
// known so: an include of it is missing, and a missing include carries only its name. It is known
// instead by the path that a directive asks for, resolved from the root.
class ChangedFiles {
 public:
  // `present` are full paths of files that exist, as the trees name them; `deleted` are paths
  // from the root of files that do not, "/" or "\" between folders, empty and "." segments
  // skipped (so a leading "/" means the root). Both are compared without regard to letter case.
  ChangedFiles(const std::vector<Text>& present, const std::vector<Text>& deleted);

  // Whether the analysed tree of `page` is or includes one of the files: an existing one as the
  // control's dependency search finds it, a deleted one by a missing include that asks for it.
  bool ReachedFrom(File& page) const;

  // Whether `node`, which `parent` includes (null when `node` is the page), is one of the files.
  bool Holds(const File* parent, const File& node) const;

 private:
  // Whether `node` is a missing include of `parent` that asks for a deleted file.
  bool IsDeleted(const File& parent, const File& node) const;

  TextArray matches_;
  std::unordered_set<Text> present_;
  std::unordered_set<Text> deleted_;
};

}  // namespace lintra
