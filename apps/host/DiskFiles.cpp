#include "apps/host/DiskFiles.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <stdexcept>
#include <system_error>
#include <vector>

#include "apps/host/TextDecoding.h"
#include "apps/host/Utf8Escapes.h"

namespace fs = std::filesystem;

namespace {

bool IsSeparator(char16_t unit) {
  return unit == u'/' || unit == u'\\';
}

bool StartsWithDriveLetter(TextView segment) {
  if (segment.size() < 2 || segment[1] != u':') return false;
  const char16_t letter = segment[0];
  return (letter >= u'A' && letter <= u'Z') || (letter >= u'a' && letter <= u'z');
}

// The segments of `webPath` as file names, empty and "." segments left out; nothing when a
// segment is "..", starts with a drive letter or holds a NUL.
std::optional<std::vector<std::string>> Segments(TextView webPath) {
  std::vector<std::string> segments;
  size_t start = 0;
  while (start <= webPath.size()) {
    size_t end = start;
    while (end < webPath.size() && !IsSeparator(webPath[end])) ++end;
    const TextView segment = webPath.substr(start, end - start);
    if (segment == u".." || StartsWithDriveLetter(segment) ||
        segment.find(u'\0') != TextView::npos) {
      return std::nullopt;
    }
    if (!segment.empty() && segment != u".") segments.push_back(EncodeUtf8Escaped(segment));
    start = end + 1;
  }
  return segments;
}

// Reads `file`, of `size` bytes when its size was checked, in pieces handed to `take`: at most
// `limit` + 1 bytes in all, so that a file that grew since is still caught as too large. False
// when the file cannot be read or is too large.
template <class Take>
bool ReadPieces(const fs::path& file, std::uintmax_t size, std::uintmax_t limit, Take take) {
  const int descriptor = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) return false;
  const auto bufferSize = static_cast<size_t>(std::min<std::uintmax_t>(size + 1, 1 << 16));
  const auto buffer = std::make_unique_for_overwrite<char[]>(bufferSize);
  std::uintmax_t total = 0;
  bool good = true;
  for (;;) {
    const ssize_t got = ::read(descriptor, buffer.get(), bufferSize);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      good = got == 0;
      break;
    }
    total += static_cast<std::uintmax_t>(got);
    if (total > limit) {
      good = false;
      break;
    }
    take(std::string_view(buffer.get(), static_cast<size_t>(got)));
  }
  ::close(descriptor);
  return good;
}

// The entry of `folder` whose name equals `name` without regard to letter case, the first in byte
// order when several do; nothing when none does or the folder cannot be listed.
std::optional<std::string> EntryIgnoringCase(const fs::path& folder, const std::string& name) {
  const Text wanted = text::UCase(DecodeUtf8Escaped(name));
  std::error_code error;
  fs::directory_iterator entry(folder, error);
  std::optional<std::string> found;
  for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
    std::string candidate = entry->path().filename().string();
    if (text::UCase(DecodeUtf8Escaped(candidate)) != wanted) continue;
    if (!found || candidate < *found) found = std::move(candidate);
  }
  return found;
}

}  // namespace

DiskFiles::DiskFiles(const fs::path& root) : root_(fs::canonical(root)) {
  if (!fs::is_directory(root_)) throw std::invalid_argument(root.string() + " is not a folder");
}

std::optional<fs::path> DiskFiles::Resolve(TextView webPath) const {
  if (webPath.size() > MaxPathUnits) return std::nullopt;
  const std::optional<std::vector<std::string>> segments = Segments(webPath);
  if (!segments) return std::nullopt;
  fs::path at = root_;
  for (const std::string& segment : *segments) {
    std::error_code error;
    fs::path next = at / segment;
    fs::file_status status = fs::symlink_status(next, error);
    if (!fs::exists(status)) {
      const std::optional<std::string> match = EntryIgnoringCase(at, segment);
      if (!match) return std::nullopt;
      next = at / *match;
      status = fs::symlink_status(next, error);
    }
    // `at` is resolved and inside the root, so only a symbolic link can lead elsewhere.
    if (fs::is_symlink(status)) {
      next = fs::canonical(next, error);
      if (error || !Contains(next)) return std::nullopt;
    }
    at = std::move(next);
  }
  std::error_code error;
  if (at == root_ || !fs::is_regular_file(at, error)) return std::nullopt;
  return at;
}

std::optional<std::string> DiskFiles::Bytes(const fs::path& resolved) const {
  std::error_code error;
  const std::uintmax_t size = fs::file_size(resolved, error);
  if (error || size > MaxFileBytes) return std::nullopt;
  std::string bytes;
  bytes.reserve(size);
  const auto append = [&](std::string_view piece) { bytes.append(piece); };
  if (!ReadPieces(resolved, size, MaxFileBytes, append)) {
    return std::nullopt;
  }
  return bytes;
}

std::optional<Text> DiskFiles::Decoded(const fs::path& resolved, const CodePage* codePage) const {
  if (codePage) {
    const std::optional<std::string> bytes = Bytes(resolved);
    if (!bytes) return std::nullopt;
    return DecodeFileBytes(*bytes, codePage);
  }
  std::error_code error;
  const std::uintmax_t size = fs::file_size(resolved, error);
  if (error || size > MaxFileBytes) return std::nullopt;
  FileDecoder decoder(size);
  const auto decode = [&](std::string_view piece) { decoder.Add(piece); };
  if (!ReadPieces(resolved, size, MaxFileBytes, decode)) {
    return std::nullopt;
  }
  return decoder.Finish();
}

std::optional<ProjectFile> DiskFiles::Read(TextView webPath) const {
  const std::optional<fs::path> file = Resolve(webPath);
  if (!file) return std::nullopt;
  std::optional<Text> text = Decoded(*file);
  if (!text) return std::nullopt;
  return ProjectFile{WebPath(*file), std::move(*text)};
}

Text DiskFiles::WebPath(const fs::path& resolved) const {
  return DecodeUtf8Escaped(resolved.lexically_relative(root_).generic_string());
}

bool DiskFiles::Contains(const fs::path& resolved) const {
  auto at = resolved.begin();
  for (const fs::path& part : root_) {
    if (at == resolved.end() || *at != part) return false;
    ++at;
  }
  return true;
}
