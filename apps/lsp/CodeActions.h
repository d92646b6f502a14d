#pragma once

#include "apps/lsp/Protocol.h"
#include "apps/lsp/Workspace.h"

namespace lintra::lsp {

// textDocument/codeAction: the quick fixes whose result is certain, for the directives that meet
// the range of `params`: a path spelt in another letter case than the file on disk is spelt as on
// disk, and a file= path that climbs with ".." becomes the virtual= path of the same file from the
// root.
Json CodeActions(Workspace& workspace, const Text& webPath, const Json& params);

}  // namespace lintra::lsp
