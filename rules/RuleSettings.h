#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "rules/RuleFinding.h"

namespace lintra {

// How a project wants its rules run: what its server allows and which findings it cares about.
// The defaults are those of a server as installed, with every rule on at its own severity.
struct RuleSettings {
  // Whether the server allows ".." in include paths (off by default since IIS 6).
  bool parentPathsEnabled = false;
  // Extensions, lower case with the dot, of files that exist only to be included: a page never
  // has one, and one that no page includes is unused.
  std::vector<std::string> includeOnlyExtensions = {".inc"};
  // Extensions, lower case with the dot, that the server sends as they are instead of running
  // them as script, so that an included file of that kind can be downloaded as source.
  std::vector<std::string> nonScriptExtensions = {".inc", ".txt", ".htm", ".html", ".xml",
                                                  ".js",  ".css", ".ini", ".cfg",  ".bak"};
  // Whether the run covers the whole project, so that a file no page reaches is unused.
  bool wholeProject = false;
  // Per rule id: the severity to report it with instead of its own, or none to turn it off.
  std::map<std::string, std::optional<Severity>> severities;

  // Whether the rule `id` is turned off.
  bool Off(const std::string& id) const {
    const auto chosen = severities.find(id);
    return chosen != severities.end() && !chosen->second;
  }
};

}  // namespace lintra
