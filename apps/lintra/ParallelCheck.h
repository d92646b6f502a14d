#pragma once

#include <cstddef>
#include <functional>
#include <vector>

#include "apps/lintra/Options.h"
#include "apps/lintra/Progress.h"
#include "apps/lintra/Session.h"
#include "rules/Checker.h"
#include "site/PageTree.h"

namespace lintra {

// Called on the calling thread with the tree of each analysed page, in page order, once the rules
// checked it, with what the checker judged of it; the tree may go once it returns. Other threads
// may be analysing later pages meanwhile, with texts that this tree shares, so it reads of the
// texts only their characters.
using CheckedTree = std::function<void(const PageTree& page, const PageJudgement& judgement)>;

// Analyses `pages` on options.jobs threads (0: one per core), each thread with a session and a
// checker of its own (the first thread's session is `session`), and checks every analysed page
// with the rules at `checker`'s settings, handing each tree to `visit` when given. The findings
// are put together in `checker` as `order` says, each with the chain of the first page that
// reaches it, with what its rules note for Finish; the pages whose analysis failed end
// session.Failures(), in page order, and the files found unreadable join
// session.UnreadableFiles(); `progress` counts each page as its chunk is put together. One page
// with a core to spare, whose findings may merge in any order, is analysed on the calling thread
// while its texts are learnt on the other, and its rules are then shared out between the two.
// Returns how many pages were analysed. Findings and failures are the same whatever the number
// of threads.
size_t CheckPages(Session& session, const Options& options, const std::vector<Text>& pages,
                  Checker& checker, Progress& progress,
                  FindingSet::MergeOrder order = FindingSet::MergeOrder::Any,
                  const CheckedTree& visit = {});

}  // namespace lintra
