#pragma once

#include <future>
#include <string>
#include <vector>

#include "apps/lintra/ReportLinks.h"
#include "apps/lintra/SiteSurvey.h"

namespace lintra {

// The rows of the report's findings grid, one per cause as check's text groups them (see
// Causes): errors first, then warnings, then notes, and within a severity the causes that reach
// the most pages first. Each row names the rule, severity, code, first place, message, places,
// pages and first page; the place links to its file view and the page to its tree by `links`.
// The rows stand in chunks (see the report's script) and come in two pieces, the second made by
// work launched as `launch` says.
std::vector<std::string> FindingsHtml(const SiteSurvey& survey, const ReportLinks& links,
                                      std::launch launch);

}  // namespace lintra
