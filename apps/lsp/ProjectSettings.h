#pragma once

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "apps/host/VirtualDirectory.h"
#include "rules/RuleSettings.h"

namespace lintra::lsp {

// What a project's configuration tells the server: where its web root lies, the pages it leaves
// out, how its files are decoded, which web folders are served from folders of their own and how
// its rules run. The defaults are those of a project
// without one.
struct ProjectSettings {
  // The web root the configuration names, fully resolved; empty for the workspace folder.
  std::filesystem::path root;
  // Globs on web paths that leave pages out, as the command line takes them.
  std::vector<std::string> excludes;
  // The code page of the files that are not UTF-8, as iconv names it; empty for none.
  std::string encoding;
  RuleSettings rules;
  // The virtual directories, as check serves them.
  std::vector<VirtualDirectory> virtualDirectories;
};

// A configuration that cannot be used: the file, the line and column (from 1) where the problem
// lies, and what() the problem alone.
class ProjectProblem : public std::runtime_error {
 public:
  ProjectProblem(std::filesystem::path where, int atLine, int atColumn, const std::string& problem)
      : std::runtime_error(problem), file(std::move(where)), line(atLine), column(atColumn) {}

  std::filesystem::path file;
  int line;
  int column;
};

// Reads the configuration that governs the workspace folder `folder`; throws ProjectProblem
// when there is one that cannot be used.
using ProjectLoader = std::function<ProjectSettings(const std::filesystem::path& folder)>;

}  // namespace lintra::lsp
