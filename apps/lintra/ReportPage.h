#pragma once

#include <functional>
#include <future>
#include <string>
#include <string_view>

#include "apps/lintra/Session.h"
#include "apps/lintra/SiteSurvey.h"

namespace lintra {

// The whole HTML report of a finished survey, one self-contained page: the summary, the findings,
// the heaviest pages and the unused files as plain HTML that reads without scripts, and the data
// from which its script draws the include trees and the file views. `root` is the project root
// as the report names it; `failures`, the pages whose analysis failed, are listed under the
// summary. Every text that comes from the site is escaped. Parts of the page are made by work
// launched as `launch` says (see LaunchFor). The page goes to `write` piece by piece, so that it
// is never held whole.
void WriteReportPage(const SiteSurvey& survey, const std::string& root,
                     const std::vector<PageFailure>& failures, std::launch launch,
                     const std::function<void(std::string_view)>& write);

}  // namespace lintra
