#include <cstdlib>
#include <iostream>

#include "apps/host/PathText.h"
#include "apps/lintra/Commands.h"
#include "apps/lintra/ProjectConfig.h"
#include "apps/lsp/LanguageServer.h"
#include "apps/version/Version.h"

namespace lintra {

namespace {

// The pages and rules that the lintra.toml at `root` sets, as check reads them.
lsp::ProjectSettings LoadProject(const std::filesystem::path& root) {
  Options options;
  options.root = Utf8OfPath(root);
  ApplyProjectConfig(options);
  return {options.excludes, options.ruleSettings};
}

}  // namespace

int RunLsp() {
  std::ios::sync_with_stdio(false);
  const int status = lsp::RunLanguageServer(std::cin, std::cout, LintraVersion(),
                                            LINTRA_RULE_HELP_BASE, LoadProject);
  // The thread reading standard input may still wait on it: end without waiting for it.
  std::cout.flush();
  std::_Exit(status);
}

}  // namespace lintra
