#include "apps/host/DiskFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <stdexcept>
#include <system_error>
#include <vector>

#include "apps/host/TextDecoding.h"
#include "platform/Utf8.h"

namespace lintra {

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
    if (!segment.empty() && segment != u".") segments.push_back(text::ToBytes(segment));
    start = end + 1;
  }
  return segments;
}

// The reason for the failure that errno holds, in the system's words.
std::string SystemReason() {
  return std::generic_category().message(errno);
}

// Closes a descriptor when it goes.
struct Descriptor {
  int number;
  ~Descriptor() {
    if (number >= 0) ::close(number);
  }
};

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

DiskFiles::DiskFiles(const fs::path& root) : root_(fs::canonical(root)) {
  if (!fs::is_directory(root_)) throw std::invalid_argument(root.string() + " is not a folder");
}

int DiskFiles::OpenForReading(const fs::path& resolved) const {
  return ::open(resolved.c_str(), O_RDONLY | O_CLOEXEC);
}

// At most MaxFileBytes + 1 bytes are read in all, so that a file that grows while it is read is
// still caught.
template <class Begin, class Take>
void DiskFiles::ReadPieces(const fs::path& resolved, Begin begin, Take take) const {
  static const std::string tooLarge = "larger than " + std::to_string(MaxFileBytes >> 20) + " MB";
  const Descriptor file{OpenForReading(resolved)};
  if (file.number < 0) throw UnreadableFile(SystemReason());
  struct stat about {};
  if (::fstat(file.number, &about) != 0) throw UnreadableFile(SystemReason());
  if (!S_ISREG(about.st_mode)) throw UnreadableFile("not a regular file");
  const auto size = static_cast<std::uintmax_t>(about.st_size);
  if (size > MaxFileBytes) throw UnreadableFile(tooLarge);
  const auto bufferSize = static_cast<size_t>(std::min<std::uintmax_t>(size + 1, 1 << 16));
  const auto buffer = std::make_unique_for_overwrite<char[]>(bufferSize);
  begin(size);
  for (std::uintmax_t total = 0;;) {
    const ssize_t got = ::read(file.number, buffer.get(), bufferSize);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) throw UnreadableFile(SystemReason());
    if (got == 0) return;
    total += static_cast<std::uintmax_t>(got);
    if (total > MaxFileBytes) throw UnreadableFile(tooLarge);
    take(std::string_view(buffer.get(), static_cast<size_t>(got)));
    // A regular file reads short only at its end, which spares small files a second read.
    if (static_cast<size_t>(got) < bufferSize) return;
  }
}

std::optional<fs::path> DiskFiles::Follow(const fs::path& folder, const std::string& segment,
                                          fs::file_status& status) const {
  std::error_code error;
  fs::path next = folder / segment;
  status = fs::symlink_status(next, error);
  if (!fs::exists(status)) {
    const std::optional<std::string> match = EntryIgnoringCase(folder, segment);
    if (!match) return std::nullopt;
    next = folder / *match;
    status = fs::symlink_status(next, error);
  }
  // `folder` is resolved and inside the root, so only a symbolic link can lead elsewhere.
  if (fs::is_symlink(status)) {
    next = fs::canonical(next, error);
    if (error || !Contains(next)) return std::nullopt;
    status = fs::status(next, error);
  }
  return next;
}

std::optional<fs::path> DiskFiles::Resolve(TextView webPath) const {
  if (webPath.size() > MaxPathUnits) return std::nullopt;
  const std::optional<std::vector<std::string>> segments = Segments(webPath);
  if (!segments || segments->empty()) return std::nullopt;
  if (folders_.size() >= MaxKeptFolders) folders_.clear();
  const fs::path* folder = &root_;
  std::string written;
  for (size_t i = 0; i + 1 < segments->size(); ++i) {
    written += (*segments)[i];
    written += '/';
    auto known = folders_.find(written);
    if (known == folders_.end()) {
      fs::file_status status;
      std::optional<fs::path> next = Follow(*folder, (*segments)[i], status);
      known = folders_.emplace(written, std::move(next)).first;
    }
    if (!known->second) return std::nullopt;
    folder = &*known->second;
  }
  fs::file_status status;
  std::optional<fs::path> file = Follow(*folder, segments->back(), status);
  if (!file || !fs::is_regular_file(status)) return std::nullopt;
  return file;
}

std::string DiskFiles::Bytes(const fs::path& resolved) const {
  std::string bytes;
  const auto begin = [&](std::uintmax_t size) { bytes.reserve(size); };
  const auto append = [&](std::string_view piece) { bytes.append(piece); };
  ReadPieces(resolved, begin, append);
  return bytes;
}

std::optional<Text> DiskFiles::Decoded(const fs::path& resolved, const CodePage* codePage) const {
  TextBytes bytes;
  try {
    return Decode(resolved, codePage, bytes);
  } catch (const UnreadableFile&) {
    return std::nullopt;
  }
}

std::shared_ptr<const SourceText> DiskFiles::Source(const fs::path& resolved,
                                                    const CodePage* codePage) const {
  TextBytes bytes;
  Text text = Decode(resolved, codePage, bytes);
  return std::make_shared<const SourceText>(std::move(text), bytes);
}

Text DiskFiles::Decode(const fs::path& resolved, const CodePage* codePage, TextBytes& bytes) const {
  if (codePage) {
    const std::string raw = Bytes(resolved);
    bytes = BytesOf(raw);
    return DecodeFileBytes(raw, codePage);
  }
  std::optional<FileDecoder> decoder;
  const auto begin = [&](std::uintmax_t size) { decoder.emplace(size); };
  const auto decode = [&](std::string_view piece) { decoder->Add(piece); };
  ReadPieces(resolved, begin, decode);
  Text text = decoder->Finish();
  bytes = decoder->Bytes();
  return text;
}

std::optional<ProjectFile> DiskFiles::Read(TextView webPath) const {
  const std::optional<fs::path> file = Resolve(webPath);
  if (!file) return std::nullopt;
  std::optional<Text> text = Decoded(*file);
  if (!text) return std::nullopt;
  return ProjectFile{WebPath(*file), std::move(*text)};
}

Text DiskFiles::WebPath(const fs::path& resolved) const {
  // Resolve builds its paths below the root a name at a time, so the web path is what follows
  // the root and its "/".
  const std::string_view path = resolved.native();
  const std::string_view root = root_.native();
  if (path.size() > root.size() + 1 && path.starts_with(root) && path[root.size()] == '/') {
    return text::FromUtf8(path.substr(root.size() + 1));
  }
  return text::FromUtf8(resolved.lexically_relative(root_).generic_string());
}

bool DiskFiles::Contains(const fs::path& resolved) const {
  auto at = resolved.begin();
  for (const fs::path& part : root_) {
    if (at == resolved.end() || *at != part) return false;
    ++at;
  }
  return true;
}

}  // namespace lintra
