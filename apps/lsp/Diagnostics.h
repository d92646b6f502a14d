#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "apps/lsp/Protocol.h"
#include "apps/lsp/Workspace.h"

namespace lintra::lsp {

// The diagnostics of the file `file`: the rule findings placed in it by the pages that reach it,
// each once, leaving out the pages `stale` names (those waiting to be analysed again). Each has
// the rule id as code, a link to the rule's help below `helpBase`, the server's error number in
// its message, and the include chain from the first page that reaches it as related places.
Json DiagnosticsOf(Workspace& workspace, uint32_t file, const std::function<bool(uint32_t)>& stale,
                   const std::string& helpBase);

}  // namespace lintra::lsp
