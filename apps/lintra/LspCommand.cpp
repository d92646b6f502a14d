#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "apps/host/PathText.h"
#include "apps/lintra/Commands.h"
#include "apps/lintra/ProjectConfig.h"
#include "apps/lsp/LanguageServer.h"
#include "apps/version/Version.h"
#include "site/ProjectLocation.h"

namespace lintra {

namespace {

// The problem of `error`, worded "FILE:LINE:COLUMN: PROBLEM" about `file`, as the server places
// it.
lsp::ProjectProblem ProblemOf(const std::filesystem::path& file, const ConfigError& error) {
  const std::string what = error.what();
  const std::string name = Utf8OfPath(file) + ":";
  int line = 1;
  int column = 1;
  size_t consumed = 0;
  if (what.starts_with(name) &&
      std::sscanf(what.c_str() + name.size(), "%d:%d: %zn", &line, &column, &consumed) == 2 &&
      consumed > 0) {
    return {file, line, column, what.substr(name.size() + consumed)};
  }
  return {file, 1, 1, what};
}

// The project whose lintra.toml governs `folder` (found upward from it), as check reads it.
lsp::ProjectSettings LoadProject(const std::filesystem::path& folder) {
  const std::filesystem::path file = FindConfigFile(folder);
  if (file.empty()) return {};
  Options options;
  std::filesystem::path root;
  try {
    root = ApplyProjectConfig(file, options);
  } catch (const ConfigError& error) {
    throw ProblemOf(file, error);
  }
  return {root, options.configExcludes, options.encoding, options.ruleSettings,
          options.virtualDirectories};
}

}  // namespace

int RunLsp() {
  std::ios::sync_with_stdio(false);
  const int status = lsp::RunLanguageServer(std::cin, std::cout, LintraVersion(),
                                            LINTRA_RULE_DOCS_URI, LoadProject);
  // The thread reading standard input may still wait on it: end without waiting for it.
  std::cout.flush();
  std::_Exit(status);
}

}  // namespace lintra
