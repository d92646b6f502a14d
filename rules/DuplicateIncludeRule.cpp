#include "rules/DuplicateIncludeRule.h"

#include <memory>
#include <unordered_set>

#include "analysis/File.h"

namespace lintra {

namespace {

// The nodes that hold a declaration of a redefinition, and every node above them.
std::unordered_set<const File*> HoldingRedefinitions(PageCheck& page) {
  std::unordered_set<const File*> holding;
  const auto mark = [&](File* node) {
    std::shared_ptr<File> parent;
    while (node && holding.insert(node).second) {
      parent = node->Parent();
      node = parent.get();
    }
  };
  for (const Redefinition& redefinition : page.Redefinitions()) {
    mark(redefinition.node);
    mark(redefinition.firstNode);
  }
  return holding;
}

}  // namespace

const RuleInfo& DuplicateIncludeRule::Info() const {
  // The IIS 6.0 SDK, "Including Files in ASP Applications" (learn.microsoft.com, previous-
  // versions/iis/6.0-sdk/ms524876): an include inserts the file's content before the server
  // processes the page.
  static const RuleInfo info{
      "duplicate-include", Severity::Warning, "", "A file is included more than once in a page.",
      "The server inserts the content of each included file where its directive stands before "
      "it processes the page (IIS 6.0 SDK, \"Including Files in ASP Applications\"), so each copy "
      "is compiled and its output written. The page still runs as long as the copies declare no "
      "script-level name (that is name-redefined), but the second copy is usually a mistake: "
      "remove the directive that is not needed."};
  return info;
}

void DuplicateIncludeRule::Check(PageCheck& page, FindingSet& findings) {
  const std::unordered_set<const File*> holding = HoldingRedefinitions(page);
  page.EachInclude([&](const PageCheck::Include& include) {
    File& node = include.node;
    if (!node.DuplicateInclude() || node.CircularInclude() || holding.count(&node)) return;
    ReportDirective(page, findings, include, [&] {
      return text::Concat({u"duplicate include: ", node.FullPathView(),
                           u" is included more than once in ", page.Page().FullPathView()});
    });
  });
}

}  // namespace lintra
