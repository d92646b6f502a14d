#pragma once

#include <cstddef>
#include <vector>

#include "apps/lintra/Options.h"
#include "apps/lintra/Progress.h"
#include "apps/lintra/Session.h"
#include "rules/Checker.h"

namespace lintra {

// Analyses `pages` on options.jobs threads (0: one per core), each thread with a session and a
// checker of its own (the first thread's session is `session`), and checks every analysed page
// with the rules at `checker`'s settings. The findings are put together in `checker`, each with
// the chain of the first page that reaches it but in no set order, with what its rules note for
// Finish; the pages whose analysis failed end session.Failures(), in page order; `progress`
// counts each page as its chunk is put together. Returns how many pages were analysed. Findings
// and failures are the same whatever the number of threads.
size_t CheckPages(Session& session, const Options& options, const std::vector<Text>& pages,
                  Checker& checker, Progress& progress);

}  // namespace lintra
