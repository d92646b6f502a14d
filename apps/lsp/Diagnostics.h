#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "apps/lsp/Protocol.h"
#include "apps/lsp/Workspace.h"

namespace lintra::lsp {

// The diagnostics of the file `file`: the rule findings placed in it by the pages that reach it,
// each once with the count of pages that reach it, leaving out the pages `stale` names (those
// waiting to be analysed again). An unused-include is shown only when the whole site is `indexed`,
// no page reaching the file is stale and every one of them reported it, so that it stands where
// check puts it and counts the same pages. When the site is indexed, also what only the whole
// project shows (unused-file). Each has the rule id as code, a link to the rule's help below
// `helpBase` unless it is empty, the server's error number in its message, and as related places
// the include chain from the first page that reaches it and the places its message speaks of.
Json DiagnosticsOf(Workspace& workspace, uint32_t file, const std::function<bool(uint32_t)>& stale,
                   bool indexed, const std::string& helpBase);

}  // namespace lintra::lsp
