#include "apps/lsp/DocumentContext.h"

#include <vector>

#include "analysis/Files.h"
#include "apps/lsp/FileKey.h"

namespace lintra::lsp {

namespace {

// The first node of `tree`, in the order of the expanded page, that shows the file `key`.
File* NodeOf(File& tree, const Text& key) {
  std::vector<File*> pending = {&tree};
  while (!pending.empty()) {
    File* node = pending.back();
    pending.pop_back();
    if (FileKey(node->FullPath()) == key) return node;
    const Files* includes = node->IncludesIfAny();
    if (!includes) continue;
    for (size_t i = includes->size(); i > 0; --i) pending.push_back((*includes)[i - 1].get());
  }
  return nullptr;
}

std::shared_ptr<File> TreeFor(Workspace& workspace, const Text& webPath) {
  const uint32_t file = workspace.Id(webPath);
  if (workspace.IsPage(file)) return workspace.Analyse(webPath);
  for (const uint32_t page : workspace.Index().Reaching(file)) {
    if (!workspace.IsPage(page)) continue;
    if (std::shared_ptr<File> tree = workspace.Analyse(workspace.Index().Name(page))) return tree;
  }
  return workspace.Analyse(webPath);
}

}  // namespace

DocumentContext ContextOf(Workspace& workspace, const Text& webPath) {
  DocumentContext context;
  context.tree = TreeFor(workspace, webPath);
  if (context.tree) context.node = NodeOf(*context.tree, FileKey(webPath));
  return context;
}

}  // namespace lintra::lsp
