#pragma once

#include <optional>
#include <string>
#include <vector>

#include "apps/host/DiskFiles.h"
#include "platform/Text.h"

namespace lintra {

// The pages that `pages`, the setting of lintra.toml, names for the hosts that are given no pages
// (the language server and the desktop app), as check takes them when it is given none: each
// relative to the web root of `files`, by the real web path of its file and once, in the order
// named. Those that name no file of the project, and those that the globs `excludes` leave out,
// are left out. Nothing when `pages` is empty: then the project's pages are those its listing
// finds (see ProjectListing::Pages).
std::optional<std::vector<Text>> ConfiguredPages(const DiskFiles& files,
                                                 const std::vector<std::string>& pages,
                                                 const std::vector<std::string>& excludes);

}  // namespace lintra
