#include "site/ProjectLocation.h"

namespace lintra {

namespace {

namespace fs = std::filesystem;

// `path` fully resolved as far as it exists; absolute at least.
fs::path Resolved(const fs::path& path) {
  std::error_code error;
  fs::path resolved = fs::weakly_canonical(path, error);
  if (error) resolved = fs::absolute(path, error);
  return resolved;
}

// The nearest folder at or above `start` in which `holds` is true of the entry `name`; empty when
// there is none.
template <class Holds>
fs::path FindUpward(const fs::path& start, const char* name, Holds holds) {
  for (fs::path folder = Resolved(start);; folder = folder.parent_path()) {
    std::error_code error;
    if (holds(fs::status(folder / name, error))) return folder;
    if (folder == folder.parent_path()) return {};
  }
}

// Whether `inner` is `outer` or lies below it; both fully resolved.
bool Within(const fs::path& inner, const fs::path& outer) {
  const fs::path relative = inner.lexically_relative(outer);
  return !relative.empty() && *relative.begin() != "..";
}

}  // namespace

fs::path FindConfigFile(const fs::path& start) {
  const fs::path folder = FindUpward(start, ConfigFileName, [](const fs::file_status& status) {
    return fs::is_regular_file(status);
  });
  return folder.empty() ? folder : folder / ConfigFileName;
}

fs::path FindRepositoryTop(const fs::path& start) {
  return FindUpward(start, ".git",
                    [](const fs::file_status& status) { return fs::exists(status); });
}

std::string WhyNoWebRoot(const fs::path& folder, const std::string& setting) {
  const fs::path root = Resolved(folder / setting);
  std::error_code error;
  const fs::file_status status = fs::status(root, error);
  if (!fs::exists(status)) return "does not exist";
  if (!fs::is_directory(status)) return "is no folder";
  if (!Within(root, Resolved(folder))) return "lies outside the folder of lintra.toml";
  return "";
}

fs::path ReportBase(const fs::path& configFile, const fs::path& root) {
  if (!configFile.empty()) return Resolved(configFile.parent_path());
  const fs::path top = FindRepositoryTop(root);
  return top.empty() ? Resolved(root) : top;
}

}  // namespace lintra
