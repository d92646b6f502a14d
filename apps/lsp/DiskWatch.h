#pragma once

#include <filesystem>
#include <memory>
#include <vector>

namespace lintra::lsp {

// A file that changed on disk and how, numbered as the protocol's FileChangeType: 1 made,
// 2 changed, 3 gone.
struct DiskChange {
  std::filesystem::path file;
  int type = 2;
  bool operator==(const DiskChange&) const = default;
  auto operator<=>(const DiskChange&) const = default;
};

// The change of a file that `was` on disk before and `is` now: made, changed or gone.
inline int ChangeType(bool was, bool is) {
  return !is ? 3 : was ? 2 : 1;
}

// Tells the server which files of the site changed on disk, for editors that do not say so.
class DiskWatch {
 public:
  virtual ~DiskWatch() = default;

  // Which files changed or went since the last call, of those asked about before, and which
  // were made in their folders (a file that an include missed may be one); then starts watching
  // those of `files` (absolute paths) that are new to it, and their folders.
  virtual std::vector<DiskChange> Changed(const std::vector<std::filesystem::path>& files) = 0;
};

// The cheapest watch the platform offers: the kernel's file events on Linux, a look at each file
// elsewhere or when those cannot be had.
std::unique_ptr<DiskWatch> MakeDiskWatch();

}  // namespace lintra::lsp
