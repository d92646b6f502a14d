#include "apps/lsp/Server.h"

namespace lintra::lsp {

void Server::WatchDisk() {
  if (!diskWatch_ || !discovered_) return;
  std::vector<std::pair<Text, int>> changes;
  for (const std::filesystem::path& file :
       diskWatch_->Changed(workspace_->FilesShownWith(OpenFiles()))) {
    if (const std::optional<Text> webPath = workspace_->WebPathOf(file)) {
      std::error_code error;
      changes.emplace_back(*webPath, std::filesystem::exists(file, error) ? 2 : 3);
    }
  }
  if (!changes.empty()) ChangedOnDisk(changes);
}

}  // namespace lintra::lsp
