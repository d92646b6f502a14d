#pragma once

#include <string>

#include "apps/lintra/ReportLinks.h"
#include "apps/lintra/SiteSurvey.h"

namespace lintra {

// The rows of the heaviest pages by expanded size: page, characters, depth and includes (the
// nodes of its tree below the page), largest first.
std::string BySizeRows(const SiteSurvey& survey, const ReportLinks& links);

// The rows of the heaviest pages by depth: page, depth, includes and the chain of files down to
// its first deepest node, deepest first and then those with the most includes.
std::string ByDepthRows(const SiteSurvey& survey, const ReportLinks& links);

}  // namespace lintra
