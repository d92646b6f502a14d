#pragma once

#include "apps/lsp/JsonText.h"
#include "apps/lsp/Protocol.h"
#include "apps/lsp/Workspace.h"

namespace lintra::lsp {

// The answers about the include directives of one document and the files they include. The
// document is `webPath`, analysed afresh as a page so that its directives are read from the text
// the editor holds; what other pages do is taken from the index.

// textDocument/documentLink: every directive, linked to the file it includes when that exists.
Json DocumentLinks(Workspace& workspace, const Text& webPath);
// textDocument/definition: the file the directive at `position` includes; on a name, its
// declarations (see NameDefinitions); null elsewhere.
JsonText Definition(Workspace& workspace, const Text& webPath, Position position);
// textDocument/references: on a name, its uses across the site (see NameReferences); elsewhere
// every directive of the site that includes the document.
JsonText References(Workspace& workspace, const Text& webPath, Position position,
                    bool withDeclarations);
// textDocument/hover: for the directive at `position`, where its file was found, exactly or by
// ignoring letter case, and how many pages reach it; on a name, its declarations (see
// NameHover); null elsewhere.
Json Hover(Workspace& workspace, const Text& webPath, Position position);
// textDocument/documentSymbol: the document's includes, then its script-level declarations.
Json DocumentSymbols(Workspace& workspace, const Text& webPath);

}  // namespace lintra::lsp
