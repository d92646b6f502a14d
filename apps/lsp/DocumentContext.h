#pragma once

#include <memory>

#include "analysis/File.h"
#include "apps/lsp/Workspace.h"

namespace lintra::lsp {

// A document as the server reads its directives: a node of an analysed tree that shows it, and
// the tree that keeps the node alive.
struct DocumentContext {
  std::shared_ptr<File> tree;
  File* node = nullptr;
};

// The document `webPath` in the tree of the first page that reaches it, since that decides what
// the paths of its directives name; in its own tree when it is a page or no page reaches it. No
// node when its analysis fails.
DocumentContext ContextOf(Workspace& workspace, const Text& webPath);

}  // namespace lintra::lsp
