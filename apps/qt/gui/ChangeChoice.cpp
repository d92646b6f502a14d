#include "apps/qt/gui/ChangeChoice.h"

#include "analysis/File.h"
#include "platform/TreeView.h"

namespace lintra {

ChangeChoice::ChangeChoice(std::vector<Text> webPaths)
    : webPaths_(std::move(webPaths)), files_(webPaths_, {}) {}

bool ChangeChoice::Shows(const Node& node) const {
  const auto* file = dynamic_cast<const File*>(node.Tag().get());
  return file && files_.Holds(nullptr, *file);
}

Text ChangeChoice::Names() const {
  Text names;
  for (const Text& path : webPaths_) names += (names.empty() ? u"" : u", ") + path;
  return names;
}

}  // namespace lintra
