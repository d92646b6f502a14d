#include "apps/lsp/DiskStamps.h"

namespace lintra::lsp {

namespace {

std::filesystem::file_time_type WrittenAt(const std::filesystem::path& folder) {
  std::error_code error;
  const std::filesystem::file_time_type written = std::filesystem::last_write_time(folder, error);
  return error ? std::filesystem::file_time_type() : written;
}

}  // namespace

DiskStamps::Stamp DiskStamps::StampOf(const std::filesystem::path& file) {
  std::error_code error;
  Stamp stamp;
  stamp.size = std::filesystem::file_size(file, error);
  if (error) return {};
  stamp.written = std::filesystem::last_write_time(file, error);
  stamp.exists = !error;
  return stamp;
}

std::vector<DiskChange> DiskStamps::Changed(const std::vector<std::filesystem::path>& files) {
  std::vector<DiskChange> changed;
  for (auto& [file, stamp] : stamps_) {
    const Stamp now = StampOf(file);
    if (now == stamp) continue;
    changed.push_back({file, ChangeType(stamp.exists, now.exists)});
    stamp = now;
  }
  for (auto& [folder, written] : folders_) {
    const std::filesystem::file_time_type now = WrittenAt(folder);
    if (now == written) continue;
    written = now;
    AddMade(folder, changed);
  }
  for (const std::filesystem::path& file : files) {
    if (!stamps_.contains(file)) stamps_.emplace(file, StampOf(file));
    if (!folders_.contains(file.parent_path()))
      folders_.emplace(file.parent_path(), WrittenAt(file.parent_path()));
  }
  return changed;
}

void DiskStamps::AddMade(const std::filesystem::path& folder, std::vector<DiskChange>& changed) {
  std::error_code error;
  for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
       entry.increment(error)) {
    if (!entry->is_regular_file(error) || stamps_.contains(entry->path())) continue;
    stamps_.emplace(entry->path(), StampOf(entry->path()));
    changed.push_back({entry->path(), 1});
  }
}

}  // namespace lintra::lsp
