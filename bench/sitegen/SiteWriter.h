#pragma once

#include <filesystem>
#include <string>

#include "sitegen/Site.h"

namespace lintra {

// Writes a site twice below `out`: as an ASP site in asp/ and as its C mirror in c/. The mirror
// has the same files and nesting, an `#include "…"` line for each directive (file directives
// relative to the including file, virtual ones relative to the root, found through -I), the same
// filler bytes inside C comments, and no include guards, so every occurrence is read again.
void WriteSite(const Site& site, const std::filesystem::path& out);

// The ASP text of one file of the site.
std::string AspText(const Site& site, const SiteFile& file);

// The C text of one file of the site.
std::string CText(const Site& site, const SiteFile& file);

}  // namespace lintra
