#include "rules/IncludeNeeds.h"

#include <unordered_set>

#include "analysis/File.h"
#include "rules/SourceFacts.h"
#include "rules/VbBuiltins.h"

namespace lintra {

namespace {

// Whether `key` names what reaches a name by a text at run time, which no use shows.
bool ReachesByText(const Text& key) {
  return RunsText(key) || key == u"GETREF";
}

// Whether including `node` does something besides declaring, in itself.
bool DoesMore(PageCheck& page, File& node) {
  if (!PageCheck::Compiled(node)) return true;
  const ScriptScan& scan = page.Facts().Script(node);
  return scan.HasEffects() || scan.otherScript || scan.typeLibrary || !scan.serverObjects.empty() ||
         scan.language == PageLanguage::Other || !page.Facts().Commands(node).directives.empty();
}

// The nodes of `page` that are copies of a file the page includes more than once, or lie in a
// later copy: the uses of what the copies declare resolve to one copy or another, and the
// directive to remove is duplicate-include's to tell.
std::unordered_set<const File*> Repeated(PageCheck& page) {
  std::unordered_set<const File*> repeated;
  for (const PageCheck::Repeat& repeat : page.Repeats()) {
    repeated.insert(&repeat.first->node);
  }
  page.EachInclude([&](File& node) {
    if (page.RepeatHolding(node)) repeated.insert(&node);
  });
  return repeated;
}

// Whether the uses of `page` tell what it needs: it is VBScript, compiled, and reaches no name by
// text.
bool Judged(PageCheck& page) {
  const ScriptScan& scan = page.Facts().Script(page.Page());
  if (scan.language == PageLanguage::Other || !PageCheck::Compiled(page.Page())) return false;
  for (const PageUse& use : page.Names().Uses()) {
    if (use.declaration == PageNames::Unresolved && ReachesByText(use.use->key)) return false;
  }
  return true;
}

// For each node of `page`'s tree, whether what its include brings comes in at script level.
std::vector<bool> AtScriptLevelNodes(PageCheck& page) {
  const std::vector<PageTree::Node>& nodes = page.Tree().Nodes();
  std::vector<bool> atScriptLevel(nodes.size(), true);
  for (size_t i = 1; i < nodes.size(); ++i) {
    const File& parent = *nodes[nodes[i].parent].file;
    atScriptLevel[i] = atScriptLevel[nodes[i].parent] &&
                       AtScriptLevel(*nodes[i].file, page.Facts().Script(parent));
  }
  return atScriptLevel;
}

// For each node of `page`'s tree, whether it or a node below it does more than declare.
std::vector<bool> DoingMore(PageCheck& page) {
  const std::vector<PageTree::Node>& nodes = page.Tree().Nodes();
  std::vector<bool> doesMore(nodes.size(), false);
  for (size_t i = nodes.size(); i-- > 1;) {
    if (!doesMore[i]) doesMore[i] = DoesMore(page, *nodes[i].file);
    if (doesMore[i]) doesMore[nodes[i].parent] = true;
  }
  return doesMore;
}

}  // namespace

std::vector<bool> UnneededIncludes(PageCheck& page) {
  const std::vector<PageTree::Node>& nodes = page.Tree().Nodes();
  std::vector<bool> unneeded(nodes.size(), false);
  if (!Judged(page)) return unneeded;
  const std::vector<bool> atScriptLevel = AtScriptLevelNodes(page);
  const std::vector<bool> doesMore = DoingMore(page);
  const std::unordered_set<const File*> repeated = Repeated(page);
  for (size_t i = 1; i < nodes.size(); ++i) {
    unneeded[i] = atScriptLevel[i] && !doesMore[i] && !repeated.count(nodes[i].file) &&
                  page.Names().UsedThrough(static_cast<uint32_t>(i)).empty();
  }
  return unneeded;
}

}  // namespace lintra
