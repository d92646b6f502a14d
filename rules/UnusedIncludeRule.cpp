#include "rules/UnusedIncludeRule.h"

#include <algorithm>
#include <tuple>
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

}  // namespace

const RuleInfo& UnusedIncludeRule::Info() const {
  // The IIS 6.0 SDK, "Including Files in ASP Applications" (learn.microsoft.com, previous-
  // versions/iis/6.0-sdk/ms524876): the server inserts the included file before it processes the
  // page, so what the file holds is compiled with the page whether it is used or not.
  static const RuleInfo info{
      "unused-include", Severity::Note, "",
      "An include from which no page that reaches it uses anything.",
      "The server inserts each included file where its directive stands before it compiles the "
      "page (IIS 6.0 SDK, \"Including Files in ASP Applications\"), so every Sub, Function, "
      "Class, Const and Dim of the file is compiled for every request of the page, used or not. "
      "Reported, once per directive with the number of pages that reach it, when no page "
      "reaching the directive uses a name that the included file or the files it includes "
      "declare, and they write no output, run no statement at script level and hold no page "
      "directive, <object runat=\"server\">, type library or server script in another language: "
      "removing the directive then changes nothing but the time the page takes to compile. "
      "Directives inside a procedure or class, pages in another language than VBScript and "
      "pages that reach names by text (Execute, ExecuteGlobal, Eval, GetRef) count as needing "
      "every directive they reach. Remove the directive, or keep it where the page is meant to "
      "use the file soon."};
  return info;
}

std::vector<bool> UnusedIncludeRule::Unneeded(PageCheck& page) {
  const std::vector<PageTree::Node>& nodes = page.Tree().Nodes();
  std::vector<bool> unneeded(nodes.size(), false);
  const PageNames& names = page.Names();
  const ScriptScan& pageScan = page.Facts().Script(page.Page());
  if (pageScan.language == PageLanguage::Other || !PageCheck::Compiled(page.Page())) {
    return unneeded;
  }
  for (const PageUse& use : names.Uses()) {
    if (use.declaration == PageNames::Unresolved && ReachesByText(use.use->key)) return unneeded;
  }
  // Whether each node's include is walked at script level, and whether its subtree does more.
  std::vector<bool> atScriptLevel(nodes.size(), true);
  std::vector<bool> doesMore(nodes.size(), false);
  for (size_t i = 1; i < nodes.size(); ++i) {
    const File& parent = *nodes[nodes[i].parent].file;
    atScriptLevel[i] = atScriptLevel[nodes[i].parent] &&
                       AtScriptLevel(*nodes[i].file, page.Facts().Script(parent));
  }
  for (size_t i = nodes.size(); i-- > 1;) {
    if (!doesMore[i]) doesMore[i] = DoesMore(page, *nodes[i].file);
    if (doesMore[i]) doesMore[nodes[i].parent] = true;
  }
  const std::unordered_set<const File*> repeated = Repeated(page);
  for (size_t i = 1; i < nodes.size(); ++i) {
    unneeded[i] = atScriptLevel[i] && !doesMore[i] && !repeated.count(nodes[i].file) &&
                  names.UsedThrough(static_cast<uint32_t>(i)).empty();
  }
  return unneeded;
}

void UnusedIncludeRule::Check(PageCheck& page, FindingSet& findings) {
  const std::vector<bool> unneeded = Unneeded(page);
  size_t node = 0;
  page.EachInclude([&](const PageCheck::Include& include) {
    NoteDirective(page, include, unneeded[++node], findings.Page());
  });
}

void UnusedIncludeRule::NoteDirective(PageCheck& page, const PageCheck::Include& include,
                                      bool unneeded, int64_t number) {
  const HashedPathView holder{include.parent.FullPathView(), include.parent.FullPathHash()};
  auto byFile = notes_.find(holder);
  if (byFile == notes_.end())
    byFile = notes_.try_emplace(HashedPath{Text(holder.path), holder.hash}).first;
  Note& note = byFile->second[include.node.BaseFileStart()];
  if (note.lastPage != number) ++note.pages;
  note.lastPage = number;
  if (!unneeded || note.needed) {
    note.needed = true;
    note.finding.reset();
    return;
  }
  if (note.finding) return;
  note.firstPage = number;
  note.finding = Make(page, include.parent, PageCheck::DirectivePlace(include).ToPlace(),
                      text::Concat({u"unused include: nothing that ", include.node.FullPathView(),
                                    u" declares is used, and it writes no output and runs no "
                                    u"statement"}));
}

void UnusedIncludeRule::Add(Note& into, Note&& note) {
  into.pages += note.pages;
  into.needed = into.needed || note.needed;
  if (into.needed) {
    into.finding.reset();
  } else if (note.finding && (!into.finding || note.firstPage < into.firstPage)) {
    into.finding = std::move(note.finding);
    into.firstPage = note.firstPage;
  }
}

void UnusedIncludeRule::TakeNotes(Rule& other) {
  for (auto& [file, notes] : static_cast<UnusedIncludeRule&>(other).notes_) {
    auto& mine = notes_[file];
    for (auto& [start, note] : notes) Add(mine[start], std::move(note));
  }
}

void UnusedIncludeRule::Finish(const ProjectCheck&, FindingSet& findings) {
  std::vector<Note*> unused;
  for (auto& [file, notes] : notes_) {
    for (auto& [start, note] : notes) {
      if (!note.needed && note.finding) unused.push_back(&note);
    }
  }
  std::sort(unused.begin(), unused.end(), [](const Note* a, const Note* b) {
    const Place& x = a->finding->place;
    const Place& y = b->finding->place;
    return std::tie(a->firstPage, x.file, x.line, x.column) <
           std::tie(b->firstPage, y.file, y.line, y.column);
  });
  for (Note* note : unused) {
    note->finding->pages = note->pages;
    findings.Report(Info().id, note->finding->place, [&] { return std::move(*note->finding); });
  }
  notes_.clear();
}

}  // namespace lintra
