#include "apps/lsp/LanguageServer.h"

#include "apps/lsp/Server.h"

namespace lintra::lsp {

int RunLanguageServer(std::istream& in, std::ostream& out, const std::string& version,
                      const std::string& ruleHelpBase, ProjectLoader loadProject) {
  Server server(in, out, {version, ruleHelpBase, std::move(loadProject)});
  return server.Run();
}

}  // namespace lintra::lsp
