#pragma once

#include <optional>
#include <string>
#include <vector>

#include "apps/host/DiskFiles.h"
#include "platform/Text.h"

namespace lintra {

// The pages that `pages`, the setting of lintra.toml, names, for the hosts that are given no
// pages (the language server and the desktop app), as check takes them when it is given none.
struct ConfiguredPageList {
  // Each relative to the web root, by the real web path of its file and once, in the order named;
  // those that the excludes leave out are left out.
  std::vector<Text> pages;
  // The entries of the setting that name no file of the project, as written; check refuses them,
  // these hosts leave them out and say so (see MissingPageMessage).
  std::vector<std::string> missing;
};

// The pages that `pages` names in the project of `files`, the globs `excludes` leaving some out;
// nothing when `pages` is empty: then the project's pages are those its listing finds (see
// ProjectListing::Pages).
std::optional<ConfiguredPageList> ConfiguredPages(const DiskFiles& files,
                                                  const std::vector<std::string>& pages,
                                                  const std::vector<std::string>& excludes);

// What the user is told of `entry`, an entry of the pages setting that names no file.
std::string MissingPageMessage(const std::string& entry);

}  // namespace lintra
