#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

// Throws the failure that errno holds, with the reason in the system's words.
[[noreturn]] void ThrowSystemFailure() {
  const int failure = errno;
  const std::string reason = std::generic_category().message(failure);
  if (failure == ENOENT || failure == ENOTDIR) throw VanishedFile(reason);
  throw UnreadableFile(reason);
}

// A file read through its descriptor.
class DescriptorFile : public ReadingFile {
 public:
  DescriptorFile(int descriptor, std::uintmax_t size) : descriptor_(descriptor), size_(size) {}
  ~DescriptorFile() override { ::close(descriptor_); }
  DescriptorFile(const DescriptorFile&) = delete;
  DescriptorFile& operator=(const DescriptorFile&) = delete;

  std::uintmax_t Size() const override { return size_; }
  size_t Read(char* buffer, size_t size) override {
    for (;;) {
      const ssize_t got = ::read(descriptor_, buffer, size);
      if (got >= 0) return static_cast<size_t>(got);
      if (errno != EINTR) ThrowSystemFailure();
    }
  }

 private:
  int descriptor_;
  std::uintmax_t size_;
};

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

bool WalkSeesEveryLink() {
  return true;
}

std::optional<fs::path> LinkTarget(const fs::path& entry, fs::file_status& status) {
  std::error_code error;
  fs::path target = fs::canonical(entry, error);
  if (error) return std::nullopt;
  status = fs::status(target, error);
  return target;
}

std::unique_ptr<ReadingFile> OpenRegularFile(const fs::path& file) {
  const int descriptor = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) ThrowSystemFailure();
  struct stat about {};
  const bool statted = ::fstat(descriptor, &about) == 0;
  const int failure = errno;
  auto opened =
      std::make_unique<DescriptorFile>(descriptor, static_cast<std::uintmax_t>(about.st_size));
  if (!statted) throw UnreadableFile(std::generic_category().message(failure));
  if (!S_ISREG(about.st_mode)) throw UnreadableFile("not a regular file");
  return opened;
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
