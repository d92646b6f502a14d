#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "rules/RuleSettings.h"

namespace lintra::lsp {

// What a project's configuration tells the server: the pages it leaves out and how its rules
// run. The defaults are those of a project without one.
struct ProjectSettings {
  // Globs on web paths that leave pages out, as the command line takes them.
  std::vector<std::string> excludes;
  RuleSettings rules;
};

// Reads the configuration of the project at `root`; throws std::exception, whose what() is one
// line naming the file and the problem, when the configuration cannot be used.
using ProjectLoader = std::function<ProjectSettings(const std::filesystem::path& root)>;

}  // namespace lintra::lsp
