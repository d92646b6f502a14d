#include "apps/qt/gui/ChangedFiles.h"

#include "analysis/File.h"
#include "platform/TreeView.h"
#include "site/MatchList.h"

namespace lintra {

ChangedFiles::ChangedFiles(std::vector<Text> webPaths)
    : webPaths_(std::move(webPaths)), matches_(MatchList(webPaths_)) {
  for (const Text& path : webPaths_) upperCased_.insert(text::UCase(path));
}

bool ChangedFiles::Shows(const Node& node) const {
  const auto* file = dynamic_cast<const File*>(node.Tag().get());
  return file && upperCased_.contains(text::UCase(file->FullPath()));
}

Text ChangedFiles::Names() const {
  Text names;
  for (const Text& path : webPaths_) names += (names.empty() ? u"" : u", ") + path;
  return names;
}

}  // namespace lintra
