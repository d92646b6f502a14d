#include "apps/lintra/ProjectFiles.h"

#include <algorithm>
#include <string>
#include <system_error>

namespace lintra {

namespace fs = std::filesystem;

std::vector<Text> FindProjectFiles(const fs::path& root) {
  std::vector<std::string> found;
  const size_t rootLength = root.native().size() + (root.native().ends_with('/') ? 0 : 1);
  fs::recursive_directory_iterator walk(root, fs::directory_options::skip_permission_denied);
  for (; walk != fs::recursive_directory_iterator(); ++walk) {
    const std::string& path = walk->path().native();
    const std::string name = path.substr(path.rfind('/') + 1);
    std::error_code error;
    const bool folder = walk->is_directory(error) && !walk->is_symlink(error);
    if (name[0] == '.' || (folder && name.starts_with("_vti_"))) {
      if (folder) walk.disable_recursion_pending();
      continue;
    }
    if (!folder && walk->is_regular_file(error)) found.push_back(path.substr(rootLength));
  }
  std::sort(found.begin(), found.end());
  std::vector<Text> files;
  files.reserve(found.size());
  for (const std::string& webPath : found) files.push_back(text::FromUtf8(webPath));
  return files;
}

}  // namespace lintra
