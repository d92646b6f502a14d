#include "apps/lintra/ProjectConfig.h"

#include <filesystem>

#include "apps/host/PathText.h"
#include "site/ProjectLocation.h"

namespace lintra {

namespace {

// `folder` as the working folder reaches it: ".", a path below it, or else the whole path; "."
// for none.
std::string AsGiven(const std::filesystem::path& folder) {
  if (folder.empty()) return ".";
  std::error_code error;
  const std::filesystem::path here = std::filesystem::current_path(error);
  const std::filesystem::path below = folder.lexically_relative(here);
  if (error || below.empty() || *below.begin() == "..") return Utf8OfPath(folder);
  return Utf8OfPath(below);
}

}  // namespace

std::filesystem::path ApplyProjectConfig(const std::filesystem::path& file, Options& options) {
  ProjectSettings settings = ReadProjectSettings(file);
  if (options.pages.empty() && !settings.pages.empty()) {
    options.pages = std::move(settings.pages);
    options.pagesNamedBy = AsGiven(file);
  }
  options.configExcludes = std::move(settings.excludes);
  if (options.encoding.empty()) options.encoding = std::move(settings.encoding);
  options.ruleSettings = std::move(settings.rules);
  options.virtualDirectories = std::move(settings.virtualDirectories);
  return DefaultWebRoot(settings, file.parent_path());
}

void LocateProject(Options& options) {
  const bool rootGiven = !options.root.empty();
  const std::filesystem::path start = rootGiven ? PathOfText(options.root) : ".";
  const std::filesystem::path file = options.noConfig ? "" : FindConfigFile(start);
  const std::filesystem::path webRoot = file.empty() ? "" : ApplyProjectConfig(file, options);
  if (!rootGiven) options.root = AsGiven(webRoot);
  options.base = ReportBase(file, PathOfText(options.root));
}

}  // namespace lintra
