#pragma once

#include <cstddef>
#include <vector>

#include "apps/lintra/Options.h"
#include "apps/lintra/ParallelCheck.h"
#include "apps/lintra/Session.h"
#include "platform/Text.h"
#include "rules/Checker.h"

namespace lintra {

// The rule settings of a run: the project's, over the whole project when no page is named, with
// what the application's global.asa in `session`'s project gives every page.
RuleSettings RunSettings(const Options& options, Session& session);

// Checks `pages` with `checker`, made with RunSettings, as CheckPages does with `order` and
// `visit`, showing progress. Then, when every page was analysed, runs what only the whole project
// shows (see Checker::Finish) with the project's files (Session::ProjectFiles) when the run
// covers the whole project. Returns how many pages were analysed.
size_t CheckRun(Session& session, const Options& options, const std::vector<Text>& pages,
                Checker& checker, FindingSet::MergeOrder order, const CheckedTree& visit = {});

}  // namespace lintra
