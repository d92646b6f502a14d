#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "apps/lsp/JsonText.h"
#include "apps/lsp/Protocol.h"
#include "apps/lsp/Workspace.h"

namespace lintra::lsp {

// The answers about the VBScript names of one document (`file`, by its id), from what the index
// knows of the site's names (see NameQueries). Each answers null, or nothing, where the cursor
// stands on no name. The lists of places are written as text (see LocationList).

// textDocument/definition: every declaration the pages reaching the file resolve the name to.
std::optional<JsonText> NameDefinitions(Workspace& workspace, uint32_t file, Position position);
// textDocument/references: the uses of the site that resolve to the name's declarations, and
// the declarations themselves when `withDeclarations`.
std::optional<JsonText> NameReferences(Workspace& workspace, uint32_t file, Position position,
                                       bool withDeclarations);
// textDocument/hover: each declaration's line and the chain of includes through which a page
// reaches it.
Json NameHover(Workspace& workspace, uint32_t file, Position position);
// textDocument/completion: the names known at the cursor; none after a ".".
Json Completion(Workspace& workspace, uint32_t file, Position position);
// The script-level declarations of the file as document symbols, each class with its members.
Json NameSymbols(Workspace& workspace, uint32_t file);
// workspace/symbol: the declarations of the site whose names hold `query`.
Json WorkspaceSymbols(Workspace& workspace, const std::string& query);

}  // namespace lintra::lsp
