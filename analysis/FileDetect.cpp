#include <unordered_map>
#include <vector>

#include "analysis/File.h"
#include "analysis/Files.h"
#include "analysis/TreeWalk.h"
#include "errors/modPendryError.h"

namespace lintra {

// True when `file`'s FullPath equals, ignoring letter case, that of its parent or of any
// ancestor above it.
bool File::fbCircularInclude(File& file, const AncestorCounts& ancestors) {
  ErrorTrap trap(u"File", u"fbCircularInclude");
  bool answer = false;
  trap.Step([&] { answer = ancestors.contains(file.KeptFullPath()); });
  return answer;
}

bool File::IgnoringCaseEqual::operator()(const PathKey& keyA, const PathKey& keyB) const {
  return text::SameIgnoringCase(keyA.path, keyB.path);
}

namespace {

// Every node below `root`, in pre-order.
std::vector<File*> NodesBelow(File& root) {
  struct Frame {
    File* node;
    size_t next = 0;
  };
  std::vector<File*> order;
  TreeWalk<Frame> walk;
  walk.Enter(&root);
  walk.Run([&](Frame& top) {
    const Files* includes = top.node->IncludesIfAny();
    if (!includes || top.next == includes->size()) return false;
    File* child = (*includes)[top.next++].get();
    order.push_back(child);
    walk.Enter(child);
    return true;
  });
  return order;
}

}  // namespace

// Sets DuplicateInclude on every node below `node`, in pre-order. The answer for each node is the
// one a search of the whole tree below the root would give; it is read from a count of paths
// built once, so the pass grows with the number of nodes, not with its square.
void File::ValidateAll(File& node) {
  ErrorTrap trap(u"File", u"ValidateAll");
  std::vector<File*> nodes;
  std::vector<PathKey> paths;
  PathCounts counts;
  if (!trap.Step([&] {
        nodes = NodesBelow(node);
        paths.reserve(nodes.size());
        for (File* each : nodes) paths.push_back(each->KeptFullPath());
        counts.reserve(nodes.size());
        for (size_t i = 0; i < nodes.size(); ++i) {
          if (!nodes[i]->CircularInclude()) ++counts[paths[i]];
        }
      })) {
    return;
  }
  for (size_t i = 0; i < nodes.size(); ++i) {
    trap.Step([&] { nodes[i]->DuplicateInclude(fbDuplicateInclude(*nodes[i], paths[i], counts)); });
    if (trap.Aborted()) return;
  }
}

// True when some other node of the counted tree, not flagged circular, has exactly `target`'s
// FullPath, `targetPath`.
bool File::fbDuplicateInclude(File& target, const PathKey& targetPath, const PathCounts& counts) {
  ErrorTrap trap(u"File", u"fbDuplicateInclude");
  bool answer = false;
  trap.Step([&] {
    const auto found = counts.find(targetPath);
    const int32_t others =
        (found == counts.end() ? 0 : found->second) - (target.CircularInclude() ? 0 : 1);
    answer = others > 0;
  });
  return answer;
}

}  // namespace lintra
