#include "apps/lsp/InotifyWatch.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <system_error>

namespace lintra::lsp {

namespace {

constexpr uint32_t Events =
    IN_CLOSE_WRITE | IN_MODIFY | IN_ATTRIB | IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO;

}  // namespace

InotifyWatch::InotifyWatch() : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
  if (fd_ < 0) throw std::system_error(errno, std::generic_category(), "inotify_init1");
}

InotifyWatch::~InotifyWatch() {
  close(fd_);
}

std::vector<DiskChange> InotifyWatch::Changed(const std::vector<std::filesystem::path>& files) {
  std::vector<DiskChange> changed = ReadEvents();
  for (DiskChange& change : unwatched_.Changed({})) changed.push_back(std::move(change));
  for (const std::filesystem::path& file : files) {
    if (!files_.contains(file)) Add(file);
  }
  return changed;
}

std::vector<DiskChange> InotifyWatch::ReadEvents() {
  std::set<std::filesystem::path> named;
  alignas(inotify_event) std::array<char, 16384> buffer;
  for (ssize_t length; (length = read(fd_, buffer.data(), buffer.size())) > 0;) {
    for (ssize_t at = 0; at < length;) {
      inotify_event event;
      std::memcpy(&event, buffer.data() + at, sizeof event);
      const auto folder = folders_.find(event.wd);
      const bool made = (event.mask & (IN_CREATE | IN_MOVED_TO)) && !(event.mask & IN_ISDIR);
      if (folder != folders_.end() && event.len > 0) {
        std::filesystem::path file = folder->second / (buffer.data() + at + sizeof event);
        if (made || files_.contains(file)) named.insert(std::move(file));
      }
      at += static_cast<ssize_t>(sizeof event + event.len);
    }
  }
  std::vector<DiskChange> changed;
  for (const std::filesystem::path& file : named) {
    std::error_code error;
    const bool exists = std::filesystem::exists(file, error);
    const auto watched = files_.find(file);
    if (watched == files_.end()) {
      if (exists) changed.push_back({file, 1});
      continue;
    }
    if (exists || watched->second) changed.push_back({file, ChangeType(watched->second, exists)});
    watched->second = exists;
  }
  return changed;
}

void InotifyWatch::Add(const std::filesystem::path& file) {
  const std::filesystem::path folder = file.parent_path();
  if (!watches_.contains(folder)) {
    const int watch = inotify_add_watch(fd_, folder.c_str(), Events);
    if (watch < 0) {
      unwatched_.Changed({file});
      return;
    }
    watches_[folder] = watch;
    folders_[watch] = folder;
  }
  std::error_code error;
  files_[file] = std::filesystem::exists(file, error);
}

}  // namespace lintra::lsp
