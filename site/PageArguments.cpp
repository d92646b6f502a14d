#include "site/PageArguments.h"

#include <optional>

#include "analysis/LintraFuncs.h"

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

PageArguments::PageArguments(const fs::path& rootAsGiven, fs::path canonicalRoot, NameCodec names)
    : absoluteRoot_(NormalFolder(rootAsGiven)),
      canonicalRoot_(std::move(canonicalRoot)),
      names_(names) {}

Text PageArguments::Page(const std::string& argument) const {
  const Text page = AsWritten(argument);
  return text::InStr(1, page, u"..") > 0 ? gfsCorrectWebPath(page) : page;
}

Text PageArguments::AsWritten(const std::string& argument) const {
  const fs::path path(argument);
  if (path.is_absolute()) {
    for (const fs::path& root : {absoluteRoot_, canonicalRoot_}) {
      if (auto relative = RelativeInside(path, root)) return names_.decode(relative->string());
    }
    return names_.decode(argument);
  }
  return names_.decode(DropCurrentFolder(argument));
}
