#include "apps/config/ConfiguredPages.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "site/PageArguments.h"
#include "site/PageDiscovery.h"

namespace lintra {

std::optional<ConfiguredPageList> ConfiguredPages(const DiskFiles& files,
                                                  const std::vector<std::string>& pages,
                                                  const std::vector<std::string>& excludes) {
  if (pages.empty()) return std::nullopt;
  const PageArguments arguments(files.Root(), files.Root());
  const PageDiscovery discovery(excludes);
  ConfiguredPageList found;
  for (const std::string& argument : pages) {
    const Text path = arguments.Page(argument);
    const std::optional<std::filesystem::path> file = files.Resolve(path);
    std::error_code error;
    if (!file || !std::filesystem::is_regular_file(*file, error)) {
      found.missing.push_back(argument);
      continue;
    }
    if (discovery.Excluded(path)) continue;
    Text page = files.WebPath(*file);
    if (std::find(found.pages.begin(), found.pages.end(), page) == found.pages.end()) {
      found.pages.push_back(std::move(page));
    }
  }
  return found;
}

std::string MissingPageMessage(const std::string& entry) {
  return "the page " + entry + " that lintra.toml names does not exist; it is left out";
}

}  // namespace lintra
