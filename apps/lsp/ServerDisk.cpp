#include "apps/lsp/Server.h"

namespace lintra::lsp {

void Server::WatchDisk() {
  if (!diskWatch_ || !discovered_) return;
  std::vector<std::pair<Text, int>> changes;
  for (const DiskChange& change : diskWatch_->Changed(workspace_->FilesShownWith(OpenFiles()))) {
    if (const std::optional<Text> webPath = workspace_->WebPathOf(change.file)) {
      changes.emplace_back(*webPath, change.type);
    }
  }
  if (!changes.empty()) ChangedOnDisk(changes);
}

}  // namespace lintra::lsp
