#include "apps/lsp/IndexHelper.h"

#include <algorithm>
#include <memory>
#include <unordered_map>

#include "analysis/File.h"
#include "apps/host/DiskFiles.h"
#include "apps/host/DiskHost.h"
#include "apps/host/PathText.h"
#include "platform/ErrorRecord.h"
#include "rules/PageNames.h"
#include "rules/SourceFacts.h"
#include "site/SiteAnalysis.h"

namespace lintra::lsp {

PageFiles FilesOf(uint32_t page, const PageTree& tree, SourceFacts& facts) {
  const std::vector<PageTree::Node>& nodes = tree.Nodes();
  PageFiles found{page, false, {}, {}, {}};
  std::unordered_map<Text, uint32_t> positions;
  // The position in found.files of each node's file.
  std::vector<uint32_t> fileOf(nodes.size());
  for (size_t i = 0; i < nodes.size(); ++i) {
    const File& file = *nodes[i].file;
    const auto [known, added] =
        positions.try_emplace(file.FullPath(), static_cast<uint32_t>(found.files.size()));
    if (added) found.files.push_back(known->first);
    fileOf[i] = known->second;
    if (i == 0) continue;
    found.directives.push_back(
        {fileOf[nodes[i].parent], known->second, file.BaseFileStart(), file.BaseFileEnd()});
  }
  const PageNames names(tree, facts, PageNames::Taking::Declarations);
  for (const int32_t contested : names.Contested()) {
    const PageDeclaration& declaration = names.Declarations()[static_cast<size_t>(contested)];
    found.names.push_back({fileOf[declaration.node], declaration.declaration->offset});
  }
  return found;
}

IndexHelper::IndexHelper(const std::filesystem::path& root, uint64_t maxRequests,
                         std::vector<std::pair<uint32_t, Text>> pages, std::string encoding,
                         std::vector<VirtualDirectory> virtualDirectories)
    : root_(root),
      encoding_(std::move(encoding)),
      virtualDirectories_(std::move(virtualDirectories)),
      maxRequests_(maxRequests),
      pages_(std::move(pages)),
      owners_(pages_.size()),
      delivered_(pages_.size()),
      thread_([this] { Run(); }) {}

IndexHelper::~IndexHelper() {
  stop_ = true;
  thread_.join();
}

void IndexHelper::Run() {
  size_t current = pages_.size();
  try {
    DiskFiles files(root_);
    DiskHost host(files, maxRequests_, DiskHost::Paths::OnDisk, encoding_, virtualDirectories_);
    SiteAnalysis site(host, text::FromUtf8(Utf8OfPath(root_)));
    SourceFacts facts;
    for (size_t i = 0; i < pages_.size() && !stop_; ++i) {
      uint8_t nobody = Nobody;
      if (!owners_[i].compare_exchange_strong(nobody, Helper)) continue;
      current = i;
      const auto& [page, webPath] = pages_[i];
      host.StartPage();
      std::shared_ptr<File> tree;
      try {
        tree = site.Tree(webPath);
      } catch (const RuntimeError&) {
      }
      PageFiles found =
          tree ? FilesOf(page, PageTree(tree), facts) : PageFiles{page, true, {webPath}, {}, {}};
      const std::lock_guard lock(mutex_);
      done_.push_back(std::move(found));
      current = pages_.size();
      finished_.notify_all();
    }
  } catch (const std::exception&) {
    // The page at hand goes back to the server, whose own analysis says what went wrong, and so
    // do the pages not taken yet.
    if (current < pages_.size()) owners_[current] = Server;
  }
}

size_t IndexHelper::Position(uint32_t page) const {
  const auto at = std::lower_bound(
      pages_.begin(), pages_.end(), page,
      [](const std::pair<uint32_t, Text>& listed, uint32_t id) { return listed.first < id; });
  return at != pages_.end() && at->first == page ? static_cast<size_t>(at - pages_.begin())
                                                 : pages_.size();
}

bool IndexHelper::Claim(uint32_t page) {
  const size_t at = Position(page);
  if (at == pages_.size()) return true;
  uint8_t nobody = Nobody;
  if (owners_[at].compare_exchange_strong(nobody, Server)) return true;
  return nobody == Server || delivered_[at];
}

std::vector<PageFiles> IndexHelper::Take() {
  std::vector<PageFiles> taken;
  {
    const std::lock_guard lock(mutex_);
    taken.swap(done_);
  }
  for (const PageFiles& found : taken) delivered_[Position(found.page)] = true;
  return taken;
}

void IndexHelper::Wait(std::chrono::milliseconds most) {
  std::unique_lock lock(mutex_);
  finished_.wait_for(lock, most, [&] { return !done_.empty(); });
}

}  // namespace lintra::lsp
