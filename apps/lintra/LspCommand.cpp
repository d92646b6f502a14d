#include <cstdlib>
#include <iostream>

#include "apps/lintra/Commands.h"
#include "apps/lintra/ProjectConfig.h"
#include "apps/lsp/LanguageServer.h"
#include "apps/version/Version.h"
#include "site/ProjectLocation.h"

namespace lintra {

namespace {

// The pages and rules that the lintra.toml at `root` sets, as check reads them.
lsp::ProjectSettings LoadProject(const std::filesystem::path& root) {
  Options options;
  const std::filesystem::path file = root / ConfigFileName;
  std::error_code error;
  if (std::filesystem::is_regular_file(file, error)) ApplyProjectConfig(file, options);
  return {options.configExcludes, options.ruleSettings};
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
