#include "micro/QuadraticSearch.h"

#include "analysis/File.h"
#include "analysis/Files.h"

namespace lintra {

namespace {

// True when `path` is the FullPath of `node` (its Path followed by its Name), without building it.
bool SamePath(File& node, const Text& path) {
  const Text& folder = node.Path();
  const Text& name = node.Name();
  return folder.size() + name.size() == path.size() &&
         path.compare(0, folder.size(), folder) == 0 &&
         path.compare(folder.size(), name.size(), name) == 0;
}

// The search of the subtree below `searched` for another node with `target`'s path.
bool IsDuplicate(File& target, const Text& path, File& searched) {
  const auto includes = searched.Includes();
  for (const auto& item : *includes) {
    if (item.get() != &target && !item->CircularInclude() && SamePath(*item, path)) return true;
    if (IsDuplicate(target, path, *item)) return true;
  }
  return false;
}

int64_t CountBelow(File& node, File& root) {
  int64_t count = 0;
  const auto includes = node.Includes();
  for (const auto& child : *includes) {
    if (IsDuplicate(*child, child->FullPath(), root)) ++count;
    count += CountBelow(*child, root);
  }
  return count;
}

}  // namespace

int64_t QuadraticDuplicateCount(File& root) {
  return CountBelow(root, root);
}

}  // namespace lintra
