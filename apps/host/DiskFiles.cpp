#include "apps/host/DiskFiles.h"

#include <fstream>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

#include "apps/host/TextDecoding.h"

namespace fs = std::filesystem;

namespace {

bool IsSeparator(char16_t unit) {
  return unit == u'/' || unit == u'\\';
}

bool IsDriveLetter(TextView webPath) {
  if (webPath.size() < 2 || webPath[1] != u':') return false;
  const char16_t letter = webPath[0];
  return (letter >= u'A' && letter <= u'Z') || (letter >= u'a' && letter <= u'z');
}

// The segments of `webPath` with "." dropped and ".." applied; false when ".." climbs out.
bool SplitSegments(TextView webPath, std::vector<Text>& segments) {
  size_t start = 0;
  while (start <= webPath.size()) {
    size_t end = start;
    while (end < webPath.size() && !IsSeparator(webPath[end])) ++end;
    const TextView segment = webPath.substr(start, end - start);
    if (segment == u"..") {
      if (segments.empty()) return false;
      segments.pop_back();
    } else if (!segment.empty() && segment != u".") {
      segments.emplace_back(segment);
    }
    start = end + 1;
  }
  return true;
}

// Reads at most `limit` + 1 bytes, so that a file that grew after its size was checked is still
// caught as too large.
std::optional<std::string> ReadBytes(const fs::path& file, std::uintmax_t limit) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes;
  char buffer[65536];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    bytes.append(buffer, static_cast<size_t>(in.gcount()));
    if (bytes.size() > limit) return std::nullopt;
  }
  if (in.bad()) return std::nullopt;
  return bytes;
}

// The entry of `folder` whose name equals `name` without regard to letter case, the first in byte
// order when several do; nothing when none does or the folder cannot be listed.
std::optional<fs::path> EntryIgnoringCase(const fs::path& folder, const fs::path& name) {
  const Text wanted = text::UCase(text::FromUtf8(name.string()));
  std::error_code error;
  fs::directory_iterator entry(folder, error);
  std::optional<fs::path> found;
  for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
    const fs::path candidate = entry->path().filename();
    if (text::UCase(text::FromUtf8(candidate.string())) != wanted) continue;
    if (!found || candidate < *found) found = candidate;
  }
  return found;
}

// True when `location`, fully resolved, is `root` or lies below it.
bool WithinRoot(const fs::path& location, const fs::path& root) {
  std::error_code error;
  const fs::path resolved = fs::canonical(location, error);
  if (error) return false;
  auto at = resolved.begin();
  for (const fs::path& part : root) {
    if (at == resolved.end() || *at != part) return false;
    ++at;
  }
  return true;
}

// `location` below `root`, each segment taken as it is when it exists and otherwise matched
// without regard to letter case, as a site written for a Windows server names its files. Only
// folders inside the root are listed for that, never one that a symbolic link leads out to.
std::optional<fs::path> LocateIgnoringCase(const fs::path& root, const fs::path& location) {
  fs::path at = root;
  for (const fs::path& segment : location) {
    std::error_code error;
    if (fs::exists(at / segment, error)) {
      at /= segment;
      continue;
    }
    if (!WithinRoot(at, root)) return std::nullopt;
    const std::optional<fs::path> match = EntryIgnoringCase(at, segment);
    if (!match) return std::nullopt;
    at /= *match;
  }
  return at;
}

}  // namespace

DiskFiles::DiskFiles(const fs::path& root) : root_(fs::canonical(root)) {
  if (!fs::is_directory(root_)) throw std::invalid_argument(root.string() + " is not a folder");
}

std::optional<fs::path> DiskFiles::RelativeLocation(TextView webPath) {
  if (webPath.empty() || IsSeparator(webPath.front()) || IsSeparator(webPath.back())) {
    return std::nullopt;
  }
  if (IsDriveLetter(webPath)) return std::nullopt;
  if (webPath.find(u'\0') != TextView::npos) return std::nullopt;
  std::vector<Text> segments;
  if (!SplitSegments(webPath, segments) || segments.empty()) return std::nullopt;
  fs::path location;
  for (const Text& segment : segments) location /= fs::path(text::ToUtf8(segment));
  return location;
}

std::optional<fs::path> DiskFiles::Resolve(TextView webPath) const {
  const std::optional<fs::path> location = RelativeLocation(webPath);
  if (!location) return std::nullopt;
  const std::optional<fs::path> found = LocateIgnoringCase(root_, *location);
  if (!found) return std::nullopt;
  std::error_code error;
  const fs::path resolved = fs::canonical(*found, error);
  if (error || !Inside(resolved)) return std::nullopt;
  if (!fs::is_regular_file(resolved, error)) return std::nullopt;
  return resolved;
}

std::optional<ProjectFile> DiskFiles::Read(TextView webPath) const {
  const std::optional<fs::path> file = Resolve(webPath);
  if (!file) return std::nullopt;
  std::error_code error;
  const std::uintmax_t size = fs::file_size(*file, error);
  if (error || size > MaxFileBytes) return std::nullopt;
  const std::optional<std::string> bytes = ReadBytes(*file, MaxFileBytes);
  if (!bytes) return std::nullopt;
  return ProjectFile{WebPath(*file), DecodeFileBytes(*bytes)};
}

Text DiskFiles::WebPath(const fs::path& resolved) const {
  return text::FromUtf8(resolved.lexically_relative(root_).generic_string());
}

bool DiskFiles::Inside(const fs::path& resolved) const {
  auto at = resolved.begin();
  for (const fs::path& part : root_) {
    if (at == resolved.end() || *at != part) return false;
    ++at;
  }
  return at != resolved.end();
}
