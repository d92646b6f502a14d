#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <vector>

#include "platform/Text.h"
#include "rules/RuleFinding.h"

namespace lintra {

// A folder of the project that looks like the site's own root, for a check that ran from a
// folder above it: a virtual include names its file from the site's root, so from too high a
// root the files it names are "not found" though they lie one folder down.
struct RootBelow {
  // Relative to the root that was checked, without a final "/".
  Text folder;
  // How many of the virtual paths that were not found name a file below `folder`, and how many
  // were not found; a path counts once however many directives write it.
  size_t named = 0;
  size_t missing = 0;
};

// The virtual paths of the missing includes among `findings`, each once, upper-cased (the
// server matches paths in any letter case), from the root and with forward slashes.
// `line(file, number)` gives the text of a line of a file, where each directive is read from.
std::set<Text> MissingVirtualPaths(const std::vector<RuleFinding>& findings,
                                   const std::function<Text(const Text&, int32_t)>& line);

// The folder below which more than half of the `missing` virtual paths, and two at least, name
// files of `projectFiles` (relative to the root, as the check names files); the one that names
// the most when several do.
std::optional<RootBelow> FindRootBelow(const std::set<Text>& missing,
                                       const std::vector<Text>& projectFiles);

}  // namespace lintra
