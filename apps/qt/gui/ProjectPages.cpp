#include "apps/qt/gui/ProjectPages.h"

#include <system_error>

#include "apps/host/ProjectListing.h"
#include "platform/Utf8.h"
#include "site/PageDiscovery.h"

namespace lintra {

namespace fs = std::filesystem;

namespace ProjectPages {

ConfiguredPageList Find(const DiskFiles& files, const ProjectSettings& settings) {
  if (std::optional<ConfiguredPageList> named =
          ConfiguredPages(files, settings.pages, settings.excludes)) {
    return std::move(*named);
  }
  return {ProjectListing(files, PageDiscovery(settings.excludes)).Pages(), {}};
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

}  // namespace lintra
