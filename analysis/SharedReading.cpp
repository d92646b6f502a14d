#include "analysis/SharedReading.h"

#include "analysis/PreOrder.h"

namespace lintra {

void PrepareForSharedReading(File& root) {
  ForEachFile(root, [](File& node, File*) {
    node.FullPathView();
    if (const std::shared_ptr<const SourceText>& text = node.SharedContent()) text->Directives();
  });
}

}  // namespace lintra
