#include "site/ProjectFiles.h"

#include <algorithm>
#include <string>
#include <system_error>

#include "platform/Utf8.h"

namespace lintra {

namespace fs = std::filesystem;

std::vector<Text> ListProjectFiles(const fs::path& root) {
  std::vector<std::string> files;
  const size_t rootLength = root.native().size() + (root.native().ends_with('/') ? 0 : 1);
  fs::recursive_directory_iterator walk(root, fs::directory_options::skip_permission_denied);
  for (; walk != fs::recursive_directory_iterator(); ++walk) {
    const std::string& path = walk->path().native();
    const std::string name = path.substr(path.rfind('/') + 1);
    std::error_code error;
    const bool folder = walk->is_directory(error) && !walk->is_symlink(error);
    if (name[0] == '.' || (folder && name.rfind("_vti_", 0) == 0)) {
      if (folder) walk.disable_recursion_pending();
      continue;
    }
    if (!folder && walk->is_regular_file(error)) files.push_back(path.substr(rootLength));
  }
  std::sort(files.begin(), files.end());
  std::vector<Text> webPaths;
  for (const std::string& file : files) webPaths.push_back(text::FromUtf8(file));
  return webPaths;
}

}  // namespace lintra
