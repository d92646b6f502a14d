#include "apps/config/ConfiguredPages.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "site/PageArguments.h"
#include "site/PageDiscovery.h"

namespace lintra {

std::optional<std::vector<Text>> ConfiguredPages(const DiskFiles& files,
                                                 const std::vector<std::string>& pages,
                                                 const std::vector<std::string>& excludes) {
  if (pages.empty()) return std::nullopt;
  const PageArguments arguments(files.Root(), files.Root());
  const PageDiscovery discovery(excludes);
  std::vector<Text> found;
  for (const std::string& argument : pages) {
    const Text path = arguments.Page(argument);
    const std::optional<std::filesystem::path> file = files.Resolve(path);
    std::error_code error;
    if (!file || !std::filesystem::is_regular_file(*file, error) || discovery.Excluded(path)) {
      continue;
    }
    Text page = files.WebPath(*file);
    if (std::find(found.begin(), found.end(), page) == found.end())
      found.push_back(std::move(page));
  }
  return found;
}

}  // namespace lintra
