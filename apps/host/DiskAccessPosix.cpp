#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <system_error>

#include "apps/host/DiskAccess.h"
#include "platform/Utf8.h"

namespace lintra::disk {

namespace fs = std::filesystem;

namespace {

// The entry of `folder` whose name equals `name` without regard to letter case, the first in byte
// order when several do; nothing when none does or the folder cannot be listed.
std::optional<std::string> EntryIgnoringCase(const fs::path& folder, const std::string& name) {
  const Text wanted = text::UCase(text::FromUtf8(name));
  std::error_code error;
  fs::directory_iterator entry(folder, error);
  std::optional<std::string> found;
  for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
    std::string candidate = entry->path().filename().string();
    if (text::UCase(text::FromUtf8(candidate)) != wanted) continue;
    if (!found || candidate < *found) found = std::move(candidate);
  }
  return found;
}

}  // namespace

fs::path ResolvedFolder(const fs::path& folder) {
  return fs::canonical(folder);
}

std::optional<fs::path> FindEntry(const fs::path& folder, const std::string& name,
                                  fs::file_status& status) {
  std::error_code error;
  fs::path entry = folder / name;
  status = fs::symlink_status(entry, error);
  if (fs::exists(status)) return entry;
  const std::optional<std::string> match = EntryIgnoringCase(folder, name);
  if (!match) return std::nullopt;
  entry = folder / *match;
  status = fs::symlink_status(entry, error);
  return entry;
}

std::optional<fs::path> LinkTarget(const fs::path& entry, fs::file_status& status) {
  std::error_code error;
  fs::path target = fs::canonical(entry, error);
  if (error) return std::nullopt;
  status = fs::status(target, error);
  return target;
}

bool ReadPieces(const fs::path& file, std::uintmax_t limit,
                const std::function<void(std::uintmax_t)>& begin,
                const std::function<void(std::string_view)>& take) {
  const int descriptor = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) return false;
  struct stat about {};
  bool good = ::fstat(descriptor, &about) == 0 && S_ISREG(about.st_mode) &&
              static_cast<std::uintmax_t>(about.st_size) <= limit;
  const auto size = good ? static_cast<std::uintmax_t>(about.st_size) : 0;
  const auto bufferSize = static_cast<size_t>(std::min<std::uintmax_t>(size + 1, 1 << 16));
  const auto buffer = std::make_unique_for_overwrite<char[]>(bufferSize);
  if (good) begin(size);
  for (std::uintmax_t total = 0; good;) {
    const ssize_t got = ::read(descriptor, buffer.get(), bufferSize);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      good = got == 0;
      break;
    }
    total += static_cast<std::uintmax_t>(got);
    good = total <= limit;
    if (good) take(std::string_view(buffer.get(), static_cast<size_t>(got)));
    // A regular file reads short only at its end, which spares small files a second read.
    if (static_cast<size_t>(got) < bufferSize) break;
  }
  ::close(descriptor);
  return good;
}

Text WebPathBelow(const fs::path& root, const fs::path& resolved) {
  // Resolve builds its paths below the root a name at a time, so the web path is what follows
  // the root and its "/".
  const std::string_view path = resolved.native();
  const std::string_view rootPath = root.native();
  if (path.size() > rootPath.size() + 1 && path.starts_with(rootPath) &&
      path[rootPath.size()] == '/') {
    return text::FromUtf8(path.substr(rootPath.size() + 1));
  }
  return text::FromUtf8(resolved.lexically_relative(root).generic_string());
}

}  // namespace lintra::disk
