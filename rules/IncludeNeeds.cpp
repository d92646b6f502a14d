#include "rules/IncludeNeeds.h"

#include <algorithm>
#include <unordered_set>

#include "analysis/File.h"
#include "rules/SourceFacts.h"
#include "rules/VbBuiltins.h"

namespace lintra {

namespace {

// Whether including a file whose text `scan` describes does something besides declaring.
bool DoesMore(const ScriptScan& scan) {
  return scan.HasEffects() || scan.otherScript || scan.typeLibrary || scan.pageDirective ||
         !scan.serverObjects.empty() || scan.language == PageLanguage::Other;
}

// The nodes of `page` that are copies of a file the page includes more than once, or lie in a
// later copy: the uses of what the copies declare resolve to one copy or another, and the
// directive to remove is duplicate-include's to tell.
std::unordered_set<const File*> Repeated(PageCheck& page) {
  std::unordered_set<const File*> repeated;
  for (const PageCheck::Repeat& repeat : page.Repeats()) {
    repeated.insert(&repeat.first->node);
  }
  page.EachInclude([&](const PageCheck::Include& include) {
    if (page.RepeatHolding(include)) repeated.insert(&include.node);
  });
  return repeated;
}

// The scan of each node's text of `page`, in tree order.
std::vector<const ScriptScan*> Scans(PageCheck& page) {
  std::vector<const ScriptScan*> scans;
  for (const PageTree::Node& node : page.Tree().Nodes()) {
    scans.push_back(&page.Facts().Script(*node.file));
  }
  return scans;
}

// For each node of `page`'s tree, whether its include may go as far as its text tells: what it
// brings comes in at script level, and neither it nor a node below it does more than declare.
std::vector<bool> Declaring(PageCheck& page, const std::vector<const ScriptScan*>& scans) {
  const std::vector<PageTree::Node>& nodes = page.Tree().Nodes();
  std::vector<bool> atScriptLevel(nodes.size(), true);
  for (size_t i = 1; i < nodes.size(); ++i) {
    atScriptLevel[i] =
        atScriptLevel[nodes[i].parent] && AtScriptLevel(*nodes[i].file, *scans[nodes[i].parent]);
  }
  std::vector<bool> doesMore(nodes.size(), false);
  for (size_t i = nodes.size(); i-- > 1;) {
    if (!PageCheck::Compiled(*nodes[i].file) || DoesMore(*scans[i])) doesMore[i] = true;
    if (doesMore[i]) doesMore[nodes[i].parent] = true;
  }
  std::vector<bool> declaring(nodes.size(), false);
  for (size_t i = 1; i < nodes.size(); ++i) declaring[i] = atScriptLevel[i] && !doesMore[i];
  return declaring;
}

// Whether `page` reaches names by text (Execute, ExecuteGlobal, Eval, GetRef), which no use shows.
// Only files that name one of those are looked into, for uses that the page leaves to them.
bool ReachesByText(PageCheck& page, const PageNames& names) {
  const std::vector<PageTree::Node>& nodes = page.Tree().Nodes();
  const bool named = std::any_of(nodes.begin(), nodes.end(), [&](const PageTree::Node& node) {
    return page.Facts().Names(*node.file).namesByText;
  });
  return named && std::any_of(names.Uses().begin(), names.Uses().end(), [](const PageUse& use) {
           return use.declaration == PageNames::Unresolved && ReachesNamesByText(use.use->key);
         });
}

// For each node of `page`'s tree, whether server script in another language anywhere in the page
// names a declaration of the node or of a node below it: a JScript block may call what the page's
// VBScript declares, and no use shows it.
std::vector<bool> NamedByOtherScript(PageCheck& page, const std::vector<const ScriptScan*>& scans) {
  const std::vector<PageTree::Node>& nodes = page.Tree().Nodes();
  std::vector<bool> named(nodes.size(), false);
  std::unordered_set<TextView> words;
  for (const ScriptScan* scan : scans) {
    words.insert(scan->otherScriptWords.begin(), scan->otherScriptWords.end());
  }
  if (words.empty()) return named;
  for (size_t i = nodes.size(); i-- > 1;) {
    const std::vector<Declaration>& declarations = scans[i]->declarations;
    named[i] = named[i] || std::any_of(declarations.begin(), declarations.end(),
                                       [&](const Declaration& d) { return words.count(d.key); });
    if (named[i]) named[nodes[i].parent] = true;
  }
  return named;
}

}  // namespace

std::vector<bool> UnneededIncludes(PageCheck& page) {
  const std::vector<PageTree::Node>& nodes = page.Tree().Nodes();
  std::vector<bool> unneeded(nodes.size(), false);
  const std::vector<const ScriptScan*> scans = Scans(page);
  if (scans[0]->language == PageLanguage::Other || !PageCheck::Compiled(page.Page())) {
    return unneeded;
  }
  std::vector<bool> candidates = Declaring(page, scans);
  if (std::find(candidates.begin(), candidates.end(), true) == candidates.end()) return unneeded;
  const std::unordered_set<const File*> repeated = Repeated(page);
  for (size_t i = 1; i < nodes.size(); ++i) {
    if (repeated.count(nodes[i].file)) candidates[i] = false;
  }
  if (std::find(candidates.begin(), candidates.end(), true) == candidates.end()) return unneeded;
  const PageNames& names = page.Names();
  if (ReachesByText(page, names)) return unneeded;
  const std::vector<bool> named = NamedByOtherScript(page, scans);
  for (size_t i = 1; i < nodes.size(); ++i) {
    unneeded[i] = candidates[i] && !named[i] && names.UsedThrough(static_cast<uint32_t>(i)).empty();
  }
  return unneeded;
}

}  // namespace lintra
