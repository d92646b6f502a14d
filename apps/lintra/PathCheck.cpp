#include "apps/lintra/PathCheck.h"

#include <filesystem>
#include <system_error>

#include "apps/host/PathText.h"
#include "platform/Utf8.h"

namespace lintra {

namespace fs = std::filesystem;

namespace {

bool IsSeparator(char16_t unit) {
  return unit == u'/' || unit == u'\\';
}

bool ClimbsOut(TextView path) {
  return path.starts_with(u"..") && (path.size() == 2 || IsSeparator(path[2]));
}

fs::path OnDisk(const Text& path) {
  return PathOfText(text::ToBytes(text::Replace(path, u'\\', u'/')));
}

// `path` without its leading separators when it is absolute and names nothing on disk, so that
// it is taken from the root; otherwise nothing.
std::optional<Text> FromRoot(const Text& path) {
  if (path.empty() || !IsSeparator(path[0])) return std::nullopt;
  std::error_code error;
  if (fs::exists(fs::symlink_status(OnDisk(path), error))) return std::nullopt;
  const size_t start = path.find_first_not_of(u"/\\");
  return start == Text::npos ? Text() : path.substr(start);
}

bool Inside(const fs::path& path, const fs::path& root) {
  const fs::path relative = path.lexically_relative(root);
  return !relative.empty() && *relative.begin() != "..";
}

}  // namespace

std::optional<NoFile> WhyNoFile(const DiskFiles& files, const Text& path) {
  if (files.Resolve(path)) return std::nullopt;
  if (ClimbsOut(path)) return NoFile::Outside;
  const std::optional<Text> fromRoot = FromRoot(path);
  if (!fromRoot && !path.empty() && IsSeparator(path[0])) return NoFile::Outside;
  std::error_code error;
  const fs::path real = fs::weakly_canonical(files.Root() / OnDisk(fromRoot.value_or(path)), error);
  if (error) return NoFile::Unreadable;
  if (!Inside(real, files.Root())) return NoFile::Outside;
  const fs::file_status status = fs::status(real, error);
  if (fs::is_directory(status)) return NoFile::Folder;
  if (fs::exists(status)) return NoFile::Special;
  return NoFile::Missing;
}

std::string Describe(NoFile why, const std::string& rootName) {
  switch (why) {
    case NoFile::Missing:
      return "does not exist in " + rootName;
    case NoFile::Folder:
      return "is a folder";
    case NoFile::Special:
      return "is not a regular file";
    case NoFile::Unreadable:
      return "cannot be read";
    case NoFile::Outside:
      break;
  }
  return "lies outside the root " + rootName;
}

}  // namespace lintra
