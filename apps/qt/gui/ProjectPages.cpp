#include "apps/qt/gui/ProjectPages.h"

#include <algorithm>
#include <system_error>

namespace fs = std::filesystem;

namespace ProjectPages {

namespace {

bool Hidden(const fs::path& path) {
  const std::string name = path.filename().string();
  return !name.empty() && name.front() == '.';
}

bool IsPage(const fs::path& path) {
  std::string extension = path.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension == ".asp";
}

}  // namespace

std::vector<Text> Find(const fs::path& root) {
  std::vector<Text> pages;
  std::error_code error;
  fs::recursive_directory_iterator walk(root, fs::directory_options::skip_permission_denied, error);
  for (const fs::recursive_directory_iterator end; !error && walk != end; walk.increment(error)) {
    const fs::directory_entry& entry = *walk;
    if (Hidden(entry.path())) {
      if (entry.is_directory(error)) walk.disable_recursion_pending();
      continue;
    }
    if (entry.is_regular_file(error) && IsPage(entry.path())) {
      pages.push_back(text::FromUtf8(entry.path().lexically_relative(root).generic_string()));
    }
  }
  std::sort(pages.begin(), pages.end());
  return pages;
}

std::optional<Text> WebPathOf(const fs::path& root, const fs::path& file) {
  std::error_code error;
  const fs::path base = fs::weakly_canonical(root, error);
  if (error) return std::nullopt;
  const fs::path target = fs::weakly_canonical(file, error);
  if (error) return std::nullopt;
  const fs::path relative = target.lexically_relative(base);
  if (relative.empty() || *relative.begin() == ".." || relative == ".") return std::nullopt;
  return text::FromUtf8(relative.generic_string());
}

}  // namespace ProjectPages
