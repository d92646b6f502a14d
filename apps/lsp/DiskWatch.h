#pragma once

#include <filesystem>
#include <memory>
#include <vector>

namespace lintra::lsp {

// Tells the server which files of the site changed on disk, for editors that do not say so.
class DiskWatch {
 public:
  virtual ~DiskWatch() = default;

  // Which files changed, appeared or went since the last call, of those asked about before; then
  // starts watching those of `files` (absolute paths) that are new to it.
  virtual std::vector<std::filesystem::path> Changed(
      const std::vector<std::filesystem::path>& files) = 0;
};

// The cheapest watch the platform offers: the kernel's file events on Linux, a look at each file
// elsewhere or when those cannot be had.
std::unique_ptr<DiskWatch> MakeDiskWatch();

}  // namespace lintra::lsp
