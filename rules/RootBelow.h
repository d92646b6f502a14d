#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/DirectiveScanner.h"
#include "platform/Text.h"
#include "rules/RuleFinding.h"

namespace lintra {

// A folder of the project that looks like the site's own root, for a site looked at from a
// folder above it: a virtual include names its file from the site's root, so from too high a
// root the files it names are "not found" though they lie one folder down.
struct RootBelow {
  // Relative to the root looked from, without a final "/".
  Text folder;
  // How many of the virtual paths that were not found name a file below `folder`, and how many
  // were not found; a path counts once however many directives write it.
  size_t named = 0;
  size_t missing = 0;

  // What every surface says of it, followed by `remedy`, how to take `folder` for the root
  // there: "20 of the 20 virtual include paths not found name files below web/: if web is the
  // site's root, " and the remedy.
  std::string Said(std::string_view remedy) const;
};

// The path of `directive` when it is a virtual one, as RootBelow compares them: from the root,
// with forward slashes, upper-cased (the server matches paths in any letter case).
std::optional<Text> VirtualPath(const ScannedDirective& directive);

// The virtual paths of the missing includes among `findings`, each once (see VirtualPath).
// `line(file, number)` gives the text of a line of a file, where each directive is read from; a
// directive that goes on past its line is left out.
std::set<Text> MissingVirtualPaths(const std::vector<RuleFinding>& findings,
                                   const std::function<Text(const Text&, int32_t)>& line);

// The folder below which more than half of the `missing` virtual paths, and two at least, name
// files of `projectFiles` (relative to the root looked from); the one that names the most when
// several do.
std::optional<RootBelow> FindRootBelow(const std::set<Text>& missing,
                                       const std::vector<Text>& projectFiles);

}  // namespace lintra
