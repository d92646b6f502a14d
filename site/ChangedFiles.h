#pragma once

#include <functional>
#include <optional>
#include <unordered_set>
#include <vector>

#include "platform/Text.h"

namespace lintra {

class File;

// The files a change touched, for finding the pages that depend on them. A file that exists is
// known as includers knows it, by its real web path: a node is that file when the path the tree
// names it by leads to it, so that a file reached through a link, a virtual directory or another
// spelling is still that file. A deleted file cannot be known so: an include of it is missing,
// and a missing include carries only its name. It is known instead by the path that a directive
// asks for, resolved from the root.
class ChangedFiles {
 public:
  // The real web path of the file that a tree names by `fullPath`, or nothing when none.
  using OnDisk = std::function<std::optional<Text>(const Text& fullPath)>;

  // `present` are the real web paths of files that exist; `deleted` are paths from the root of
  // files that do not, "/" or "\" between folders, empty and "." segments skipped (so a leading
  // "/" means the root). Both are compared without regard to letter case. `onDisk` tells what the
  // trees' paths lead to; without it they are taken to be real web paths already.
  ChangedFiles(const std::vector<Text>& present, const std::vector<Text>& deleted,
               OnDisk onDisk = {});

  // Whether the analysed tree of `page` is or includes one of the files.
  bool ReachedFrom(File& page) const;

  // Whether `node`, which `parent` includes (null when `node` is the page), is one of the files:
  // an existing one by the file its path leads to, a deleted one by a missing include that asks
  // for it.
  bool Holds(const File* parent, const File& node) const;

 private:
  // Whether `node` is a missing include of `parent` that asks for a deleted file.
  bool IsDeleted(const File& parent, const File& node) const;
  // Whether `node` shows one of the files that exist.
  bool IsPresent(const File& node) const;

  OnDisk onDisk_;
  std::unordered_set<Text> present_;
  std::unordered_set<Text> deleted_;
};

}  // namespace lintra
