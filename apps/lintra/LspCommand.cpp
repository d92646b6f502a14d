#include <cstdlib>
#include <iostream>

#include "apps/config/ProjectSettings.h"
#include "apps/lintra/Commands.h"
#include "apps/lsp/LanguageServer.h"
#include "apps/version/Version.h"

namespace lintra {

int RunLsp() {
  std::ios::sync_with_stdio(false);
  const int status = lsp::RunLanguageServer(std::cin, std::cout, LintraVersion(),
                                            LINTRA_RULE_DOCS_URI, LoadProjectSettings);
  // The thread reading standard input may still wait on it: end without waiting for it.
  std::cout.flush();
  std::_Exit(status);
}

}  // namespace lintra
