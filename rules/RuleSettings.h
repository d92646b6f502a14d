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
  // Extensions, lower case with the dot, of included files that the server does not run as
  // script when they are asked for on their own: what exposed-include looks at.
  std::vector<std::string> nonScriptExtensions = {".inc", ".txt", ".htm", ".html", ".xml", ".js",
                                                  ".css", ".vbs", ".ini", ".cfg",  ".bak"};
  // Extensions, lower case with the dot, that the server has a MIME type for, and so sends as
  // they are: of the non-script extensions, those that IIS 7 and later map as installed. IIS 6
  // and later refuse the others (404.3).
  std::vector<std::string> servedExtensions = {".txt", ".htm", ".html", ".xml",
                                               ".js",  ".css", ".vbs"};
  // Whether the server sends files of any extension as they are, as IIS 5 and earlier do, and a
  // later one given a MIME type for "*".
  bool serveAnyExtension = false;
  // What the application's global.asa gives every page's script: the upper-cased names of its
  // server objects and script-level declarations, and whether it brings a type library's
  // constants (see TakeApplicationFile).
  std::vector<Text> applicationNames;
  bool applicationTypeLibrary = false;
  // The names of the web folders that virtual directories serve ("shared"): the server's
  // configuration, not the disk, finds them, whatever their letter case.
  std::vector<Text> virtualFolders;
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
