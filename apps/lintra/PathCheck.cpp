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

// Whether `path` names a place outside the root by its spelling alone: it is absolute, or it
// starts with "..".
bool OutsideByName(TextView path) {
  const bool parent = path.starts_with(u"..") && (path.size() == 2 || IsSeparator(path[2]));
  return parent || (!path.empty() && IsSeparator(path[0]));
}

bool Inside(const fs::path& path, const fs::path& root) {
  const fs::path relative = path.lexically_relative(root);
  return !relative.empty() && *relative.begin() != "..";
}

}  // namespace

std::string WhyNoFile(const DiskFiles& files, const Text& path, const std::string& rootName) {
  if (files.Resolve(path)) return "";
  const std::string outside = "lies outside the root " + rootName;
  if (OutsideByName(path)) return outside;
  std::error_code error;
  const fs::path onDisk =
      files.Root() / PathOfText(text::ToBytes(text::Replace(path, u'\\', u'/')));
  const fs::path real = fs::weakly_canonical(onDisk, error);
  if (error) return "cannot be read";
  if (!Inside(real, files.Root())) return outside;
  const fs::file_status status = fs::status(real, error);
  if (fs::is_directory(status)) return "is a folder";
  if (fs::exists(status)) return "is not a regular file";
  return "does not exist in " + rootName;
}

}  // namespace lintra
