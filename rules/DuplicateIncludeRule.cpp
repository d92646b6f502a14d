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
  static const RuleInfo info{
      "duplicate-include", Severity::Warning, "", "A file is included more than once in a page.",
      "Each copy of the file is compiled and its output written where its directive stands. The "
      "page still runs as long as the copies declare no script-level name (that is "
      "name-redefined), but the second copy is usually a mistake: remove the directive that is "
      "not needed."};
  return info;
}

void DuplicateIncludeRule::Check(PageCheck& page, FindingSet& findings) {
  const std::unordered_set<const File*> holding = HoldingRedefinitions(page);
  page.EachInclude([&](File& node) {
    if (!node.DuplicateInclude() || node.CircularInclude() || holding.count(&node)) return;
    ReportDirective(page, findings, node, [&] {
      return u"duplicate include: " + node.FullPath() + u" is included more than once in " +
             page.Page().FullPath();
    });
  });
}

}  // namespace lintra
