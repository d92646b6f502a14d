#pragma once

#include "apps/lsp/Protocol.h"
#include "apps/lsp/Workspace.h"

namespace lintra::lsp {

// The control's own views of a document, for the editor's include view: for a page, of the page;
// for any other file, of the pages that reach it.

// lintra/includeTree: {"roots": [node...]}, each node with its name, path, URI, kind, directive
// range and children.
Json IncludeTree(Workspace& workspace, const Text& webPath);

// The reports of lintra/completeFile, lintra/textTree and lintra/warnings.
enum class ControlReport { CompleteFile, TextTree, Warnings };

// {"text": report} of the document, or of the first page that reaches it; an empty text when no
// page does.
Json ReportOf(Workspace& workspace, const Text& webPath, ControlReport report);

}  // namespace lintra::lsp
