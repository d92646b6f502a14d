#pragma once

#include <istream>
#include <ostream>
#include <string>

namespace lintra::lsp {

// Runs the language server on `in` and `out` until the client ends it; see Server::Run for the
// status. `version` is what the server reports of itself, and `ruleHelpBase` where the rules'
// help pages lie.
int RunLanguageServer(std::istream& in, std::ostream& out, const std::string& version,
                      const std::string& ruleHelpBase);

}  // namespace lintra::lsp
