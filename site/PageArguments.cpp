#include "site/PageArguments.h"

#include <optional>

#include "analysis/LintraFuncs.h"
#include "platform/Utf8.h"

namespace lintra {

namespace fs = std::filesystem;

namespace {

// `path` relative to `root` when it lies inside it, by name alone (symbolic links kept).
std::optional<fs::path> RelativeInside(const fs::path& path, const fs::path& root) {
  const fs::path relative = path.lexically_normal().lexically_relative(root);
  if (relative.empty() || *relative.begin() == "..") return std::nullopt;
  return relative;
}

// `folder` absolute and normal, without a trailing separator.
fs::path NormalFolder(const fs::path& folder) {
  fs::path normal = fs::absolute(folder).lexically_normal();
  return normal.has_filename() || normal == normal.root_path() ? normal : normal.parent_path();
}

std::string DropCurrentFolder(std::string argument) {
  while (argument.size() > 2 && argument[0] == '.' && (argument[1] == '/' || argument[1] == '\\')) {
    argument.erase(0, 2);
  }
  return argument;
}

}  // namespace

PageArguments::PageArguments(const fs::path& rootAsGiven, fs::path canonicalRoot)
    : absoluteRoot_(NormalFolder(rootAsGiven)), canonicalRoot_(std::move(canonicalRoot)) {}

Text PageArguments::Page(const std::string& argument) const {
  const Text page = AsWritten(argument);
  return text::InStr(1, page, u"..") > 0 ? gfsCorrectWebPath(page) : page;
}

Text PageArguments::AsWritten(const std::string& argument) const {
  const fs::path path(std::u8string(argument.begin(), argument.end()));
  if (path.is_absolute()) {
    for (const fs::path& root : {absoluteRoot_, canonicalRoot_}) {
      if (auto relative = RelativeInside(path, root)) {
        const std::u8string web = relative->generic_u8string();
        return text::FromUtf8(std::string(web.begin(), web.end()));
      }
    }
    return text::FromUtf8(argument);
  }
  return text::FromUtf8(DropCurrentFolder(argument));
}

}  // namespace lintra
