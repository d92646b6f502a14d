#include "apps/lsp/Server.h"

namespace lintra::lsp {

void Server::WatchDisk() {
  if (!diskWatch_ || !discovered_) return;
  std::vector<std::pair<Text, int>> changes;
  // The files to watch change only with the open documents and the index, and finding them
  // walks every page that reaches an open document: not done again while neither changed.
  std::vector<uint32_t> openFiles = OpenFiles();
  const bool same = openFiles == watchedOpen_ && workspace_->Index().Changes() == watchedIndex_;
  const std::vector<std::filesystem::path> shown =
      same ? std::vector<std::filesystem::path>() : workspace_->FilesShownWith(openFiles);
  watchedOpen_ = std::move(openFiles);
  watchedIndex_ = workspace_->Index().Changes();
  for (const DiskChange& change : diskWatch_->Changed(shown)) {
    if (const std::optional<Text> webPath = workspace_->WebPathOf(change.file)) {
      changes.emplace_back(*webPath, change.type);
    }
  }
  if (!changes.empty()) ChangedOnDisk(changes);
}

}  // namespace lintra::lsp
