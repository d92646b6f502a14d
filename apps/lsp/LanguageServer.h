#pragma once

#include <istream>
#include <ostream>
#include <string>

#include "apps/lsp/ProjectSettings.h"

namespace lintra::lsp {

// Runs the language server on `in` and `out` until the client ends it; see Server::Run for the
// status. `version` is what the server reports of itself, and `ruleHelpBase` where the rules'
// help pages lie; `loadProject` reads the workspace folder's configuration.
int RunLanguageServer(std::istream& in, std::ostream& out, const std::string& version,
                      const std::string& ruleHelpBase, ProjectLoader loadProject = {});

}  // namespace lintra::lsp
