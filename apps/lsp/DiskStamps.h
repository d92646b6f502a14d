#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <vector>

#include "apps/lsp/DiskWatch.h"

namespace lintra::lsp {

// Notices that files changed on disk, for editors that do not say so, by what a cheap look at
// each file tells: whether it is there, its size and the time it was last written; and files made
// in their folders by the time each folder was last written. Works on every platform, at the cost
// of looking at each file and folder whenever asked.
class DiskStamps : public DiskWatch {
 public:
  std::vector<DiskChange> Changed(const std::vector<std::filesystem::path>& files) override;

 private:
  struct Stamp {
    bool exists = false;
    std::uintmax_t size = 0;
    std::filesystem::file_time_type written;
    bool operator==(const Stamp&) const = default;
  };
  static Stamp StampOf(const std::filesystem::path& file);
  // Adds to `changed` the files of `folder` that are new to this, and stamps them.
  void AddMade(const std::filesystem::path& folder, std::vector<DiskChange>& changed);

  std::map<std::filesystem::path, Stamp> stamps_;
  // The time each watched folder was last written.
  std::map<std::filesystem::path, std::filesystem::file_time_type> folders_;
};

}  // namespace lintra::lsp
