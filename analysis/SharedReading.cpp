#include "analysis/SharedReading.h"

#include "analysis/PreOrder.h"

namespace lintra {

size_t PrepareForSharedReading(File& root) {
  size_t nodes = 0;
  ForEachFile(root, [&](File& node, File*) {
    ++nodes;
    node.FullPathView();
    if (const std::shared_ptr<const SourceText>& text = node.SharedContent()) text->Directives();
  });
  return nodes;
}

}  // namespace lintra
