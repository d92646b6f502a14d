#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "apps/host/VirtualDirectory.h"
#include "rules/RuleSettings.h"

namespace lintra {

// What a project's lintra.toml tells every surface (check, the report, the graph, the language
// server and the desktop app): where its web root lies, its pages, the pages it leaves out, how
// its files are decoded, which web folders are served from folders of their own and how its
// rules run. The defaults are those of a project without one.
struct ProjectSettings {
  // The configuration file they were read from, fully resolved; empty for none.
  std::filesystem::path file;
  // The web root the root setting names, fully resolved; empty when it names none.
  std::filesystem::path root;
  // The pages setting: page arguments as the command line takes them.
  std::vector<std::string> pages;
  // Globs on web paths that leave pages out, as the command line takes them.
  std::vector<std::string> excludes;
  // The code page of the files that are not UTF-8, as iconv names it; empty for none.
  std::string encoding;
  RuleSettings rules;
  // The virtual directories, their folders relative to the project root or absolute.
  std::vector<VirtualDirectory> virtualDirectories;
};

// A configuration file that cannot be used: the file, the line and column (from 1; 0 and 0 for
// the file as a whole) and the problem alone. what() is one line, "FILE:LINE:COLUMN: PROBLEM"
// ("FILE: PROBLEM" for the file as a whole).
class ConfigError : public std::runtime_error {
 public:
  ConfigError(std::filesystem::path where, int atLine, int atColumn, const std::string& why);

  std::filesystem::path file;
  int line;
  int column;
  std::string problem;
};

// Reads the configuration file `file`. Throws ConfigError when it cannot be read, is no TOML, or
// holds a setting that is unknown or of the wrong kind, an encoding that the system does not
// know, a root or a virtual directory's folder that is not there.
ProjectSettings ReadProjectSettings(const std::filesystem::path& file);

// The settings of the lintra.toml that governs `folder`, found as FindConfigFile finds it; the
// defaults when there is none. Throws ConfigError as ReadProjectSettings does.
ProjectSettings LoadProjectSettings(const std::filesystem::path& folder);

// The web root of a project whose root is not given: the one `settings` name, else the folder of
// their file, else `start`, the folder they were looked for from.
std::filesystem::path DefaultWebRoot(const ProjectSettings& settings,
                                     const std::filesystem::path& start);

}  // namespace lintra
