#include "apps/host/DiskFiles.h"

#include <memory>
#include <stdexcept>
#include <vector>

#include "apps/host/DiskAccess.h"
#include "apps/host/PathText.h"
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

}  // namespace

DiskFiles::DiskFiles(const fs::path& root) : root_(disk::ResolvedFolder(root)) {
  if (!fs::is_directory(root_)) throw std::invalid_argument(Utf8OfPath(root) + " is not a folder");
}

std::unique_ptr<disk::ReadingFile> DiskFiles::OpenForReading(const fs::path& resolved) const {
  return disk::OpenRegularFile(resolved);
}

// At most MaxFileBytes + 1 bytes are read in all, so that a file that grows while it is read is
// still caught.
template <class Begin, class Take>
void DiskFiles::ReadPieces(const fs::path& resolved, Begin begin, Take take) const {
  static const std::string tooLarge = "larger than " + std::to_string(MaxFileBytes >> 20) + " MB";
  const std::unique_ptr<disk::ReadingFile> file = OpenForReading(resolved);
  const std::uintmax_t size = file->Size();
  if (size > MaxFileBytes) throw UnreadableFile(tooLarge);
  const auto bufferSize = static_cast<size_t>(std::min<std::uintmax_t>(size + 1, 1 << 16));
  const auto buffer = std::make_unique_for_overwrite<char[]>(bufferSize);
  begin(size);
  for (std::uintmax_t total = 0;;) {
    const size_t got = file->Read(buffer.get(), bufferSize);
    if (got == 0) return;
    total += got;
    if (total > MaxFileBytes) throw UnreadableFile(tooLarge);
    take(std::string_view(buffer.get(), got));
    // A regular file reads short only at its end, which spares small files a second read.
    if (got < bufferSize) return;
  }
}

std::optional<fs::path> DiskFiles::Follow(const fs::path& folder, const std::string& segment,
                                          fs::file_status& status) const {
  std::optional<fs::path> next = disk::FindEntry(folder, segment, status);
  // `folder` is resolved and inside the root, so only a link can lead elsewhere.
  if (next && fs::is_symlink(status)) {
    next = disk::LinkTarget(*next, status);
    if (next && !Contains(*next)) return std::nullopt;
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
  return disk::WebPathBelow(root_, resolved);
}

std::optional<Text> DiskFiles::WebPathOnDisk(TextView webPath) const {
  const std::optional<fs::path> resolved = Resolve(webPath);
  if (!resolved) return std::nullopt;
  return WebPath(*resolved);
}

std::optional<Text> DiskFiles::WebPathOnDisk(TextView webPath, bool plain) const {
  // The walk enters no linked folder, so no link lies on the way to an entry it lists; only the
  // refusals of Resolve that need no disk are left to make.
  if (plain && disk::WalkSeesEveryLink()) {
    if (webPath.size() > MaxPathUnits || !Segments(webPath)) return std::nullopt;
    return Text(webPath);
  }
  return WebPathOnDisk(webPath);
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
