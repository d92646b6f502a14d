#pragma once

#include <filesystem>
#include <map>
#include <set>
#include <vector>

#include "apps/lsp/DiskStamps.h"
#include "apps/lsp/DiskWatch.h"

namespace lintra::lsp {

// Watches files through the Linux kernel's file events on their folders, so that nothing is
// looked at while nothing changes. Files in a folder that cannot be watched (past the system's
// limit of watches) are looked at as DiskStamps does.
class InotifyWatch : public DiskWatch {
 public:
  // Throws std::system_error when the kernel gives no events.
  InotifyWatch();
  ~InotifyWatch() override;
  InotifyWatch(const InotifyWatch&) = delete;
  InotifyWatch& operator=(const InotifyWatch&) = delete;

  std::vector<DiskChange> Changed(const std::vector<std::filesystem::path>& files) override;

 private:
  // The files named by the events read since the last call: the watched files, and those made in
  // a watched folder, which are watched once asked about (an editor's temporary files are not).
  std::vector<DiskChange> ReadEvents();
  // Starts watching `file`, through its folder when it can.
  void Add(const std::filesystem::path& file);

  int fd_;
  // The folders watched, by watch descriptor, and the descriptors by folder.
  std::map<int, std::filesystem::path> folders_;
  std::map<std::filesystem::path, int> watches_;
  // The watched files, and whether each was on disk when last told.
  std::map<std::filesystem::path, bool> files_;
  DiskStamps unwatched_;
};

}  // namespace lintra::lsp
