#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "analysis/File.h"

namespace lintra {

// The 0-based offset, in its parent's text, of the directive that pulls `node` in.
inline int32_t DirectiveOffset(const File& node) {
  return node.BaseFileStart() - 1;
}

// One analysed page as the layers above the analysis read it: every node of its include tree in
// the order of the expanded page, each with the position of its including node, its depth and
// the size of its subtree. Made by one walk once the page is analysed and never changed after, so
// that the checker, the report's survey and the language server's index read one form of it.
class PageTree {
 public:
  struct Node {
    File* file = nullptr;
    // The position of the including node; NoParent for the page.
    uint32_t parent = 0;
    // 0 for the page.
    uint32_t depth = 0;
    // The nodes of its subtree, itself included.
    uint32_t size = 1;
  };
  static constexpr uint32_t NoParent = UINT32_MAX;

  // The tree of `page`, which this keeps alive.
  explicit PageTree(std::shared_ptr<File> page);
  // The tree of `page`, which must outlive this.
  explicit PageTree(File& page);

  File& Page() const { return *nodes_.front().file; }
  // The page first, each node before its includes, the includes in the order of their directives.
  const std::vector<Node>& Nodes() const { return nodes_; }
  // The file that includes the node at `at`; null for the page.
  File* Parent(size_t at) const;

 private:
  std::shared_ptr<File> owned_;
  std::vector<Node> nodes_;
};

}  // namespace lintra
