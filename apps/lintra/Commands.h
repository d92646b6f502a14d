#pragma once

#include "apps/lintra/Options.h"
#include "apps/lintra/Session.h"

namespace lintra {

// The subcommands. Each runs on the session, writes its output to standard output and returns
// the exit status. A page whose analysis fails is left out and kept in the session's Failures;
// arguments that cannot be run come out as UsageError before any output.

// tree: the text tree of every page, each printed as soon as it is analysed.
int RunTree(Session& session);
// complete: the page with every include expanded in place.
int RunComplete(Session& session);
// warnings: the critical errors and warnings of the page.
int RunWarnings(Session& session);
// depends: the pages that include one of the changed files, as paths, chains or trees.
int RunDepends(Session& session, const Options& options);
// check: the findings of every page, in the format asked for.
int RunCheck(Session& session, const Options& options);
// lsp: the language server on standard input and output, until the editor ends it; needs no
// session.
int RunLsp();
// includers: the directives that include a file and the pages that reach it.
int RunIncluders(Session& session, const Options& options);
// report: one self-contained HTML page on the pages, their trees, files and findings.
int RunReport(Session& session, const Options& options);
// graph: the include graph of the pages as DOT or Mermaid text.
int RunGraph(Session& session, const Options& options);

}  // namespace lintra
