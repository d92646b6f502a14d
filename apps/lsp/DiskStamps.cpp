#include "apps/lsp/DiskStamps.h"

namespace lintra::lsp {

DiskStamps::Stamp DiskStamps::StampOf(const std::filesystem::path& file) {
  std::error_code error;
  Stamp stamp;
  stamp.size = std::filesystem::file_size(file, error);
  if (error) return {};
  stamp.written = std::filesystem::last_write_time(file, error);
  stamp.exists = !error;
  return stamp;
}

std::vector<std::filesystem::path> DiskStamps::Changed(
    const std::vector<std::filesystem::path>& files) {
  std::vector<std::filesystem::path> changed;
  for (auto& [file, stamp] : stamps_) {
    const Stamp now = StampOf(file);
    if (now == stamp) continue;
    stamp = now;
    changed.push_back(file);
  }
  for (const std::filesystem::path& file : files) {
    if (!stamps_.contains(file)) stamps_.emplace(file, StampOf(file));
  }
  return changed;
}

}  // namespace lintra::lsp
