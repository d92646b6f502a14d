#include "rules/RootBelow.h"

#include <algorithm>
#include <map>
#include <set>

#include "rules/MissingIncludeRule.h"

namespace lintra {

std::string RootBelow::Said(std::string_view remedy) const {
  const std::string name = text::ToReadable(folder);
  std::string said = std::to_string(named) + " of the " + std::to_string(missing) +
                     " virtual include paths not found name files below " + name + "/: if " + name +
                     " is the site's root, ";
  said.append(remedy);
  return said;
}

std::optional<Text> VirtualPath(const ScannedDirective& directive) {
  if (directive.Form != ScannedDirective::Kind::Virtual) return std::nullopt;
  Text path = text::UCase(directive.Value);
  std::replace(path.begin(), path.end(), u'\\', u'/');
  const size_t start = path.find_first_not_of(u'/');
  if (start == Text::npos) return std::nullopt;
  return path.substr(start);
}

std::set<Text> MissingVirtualPaths(const std::vector<RuleFinding>& findings,
                                   const std::function<Text(const Text&, int32_t)>& line) {
  std::set<Text> paths;
  for (const RuleFinding& finding : findings) {
    if (finding.ruleId != MissingIncludeRule::Id) continue;
    const Place& place = finding.place;
    for (const ScannedDirective& directive : ScanDirectives(line(place.file, place.line))) {
      if (directive.Start != place.column) continue;
      if (std::optional<Text> path = VirtualPath(directive)) paths.insert(std::move(*path));
    }
  }
  return paths;
}

std::optional<RootBelow> FindRootBelow(const std::set<Text>& missing,
                                       const std::vector<Text>& projectFiles) {
  if (missing.size() < 2) return std::nullopt;
  // The folders that missing paths name files below, by their upper-cased path.
  struct Folder {
    Text spelt;  // as the project spells it
    std::set<Text> named;
  };
  std::map<Text, Folder> folders;
  for (const Text& file : projectFiles) {
    const Text upper = text::UCase(file);
    for (size_t slash = upper.find(u'/'); slash != Text::npos;
         slash = upper.find(u'/', slash + 1)) {
      Text below = upper.substr(slash + 1);
      if (!missing.contains(below)) continue;
      Folder& folder = folders[upper.substr(0, slash)];
      if (folder.spelt.empty()) folder.spelt = file.substr(0, slash);
      folder.named.insert(std::move(below));
    }
  }
  const auto most = std::max_element(
      folders.begin(), folders.end(),
      [](const auto& a, const auto& b) { return a.second.named.size() < b.second.named.size(); });
  if (most == folders.end()) return std::nullopt;
  const size_t named = most->second.named.size();
  if (named < 2 || 2 * named <= missing.size()) return std::nullopt;
  return RootBelow{most->second.spelt, named, missing.size()};
}

}  // namespace lintra
