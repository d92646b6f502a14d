#include "site/PageTree.h"

#include "analysis/Files.h"

namespace lintra {

PageTree::PageTree(std::shared_ptr<File> page) : PageTree(*page) {
  owned_ = std::move(page);
}

PageTree::PageTree(File& page) {
  std::vector<Node> pending{{&page, NoParent, 0, 1}};
  while (!pending.empty()) {
    const Node next = pending.back();
    pending.pop_back();
    const auto at = static_cast<uint32_t>(nodes_.size());
    nodes_.push_back(next);
    const Files* includes = next.file->IncludesIfAny();
    if (!includes) continue;
    for (auto child = includes->end(); child != includes->begin();) {
      --child;
      pending.push_back({child->get(), at, next.depth + 1, 1});
    }
  }
  for (size_t i = nodes_.size(); i-- > 1;) nodes_[nodes_[i].parent].size += nodes_[i].size;
}

File* PageTree::Parent(size_t at) const {
  const uint32_t parent = nodes_[at].parent;
  return parent == NoParent ? nullptr : nodes_[parent].file;
}

}  // namespace lintra
