#include "rules/UnusedIncludeRule.h"

#include <algorithm>
#include <tuple>
#include <utility>
#include <vector>

#include "analysis/File.h"

namespace lintra {

const RuleInfo& UnusedIncludeRule::Info() const {
  // The IIS 6.0 SDK, "Including Files in ASP Applications" (learn.microsoft.com, previous-
  // versions/iis/6.0-sdk/ms524876): the server inserts the included file before it processes the
  // page, so what the file holds is compiled with the page whether it is used or not.
  static const RuleInfo info{
      Id, Severity::Note, "", "An include from which no page that reaches it uses anything.",
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

void UnusedIncludeRule::Check(PageCheck& page, FindingSet& findings) {
  const std::vector<bool>& unneeded = page.Unneeded();
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
  const bool again = note.lastPage == number;
  if (!again) ++note.pages;
  note.lastPage = number;
  if (!unneeded || note.needed) {
    note.needed = true;
    note.finding.reset();
    return;
  }
  if (note.finding) {
    if (!again) note.finding->laterPageNumbers.push_back(number);
    return;
  }
  note.firstPage = number;
  note.finding = std::make_unique<RuleFinding>(
      Make(page, include.parent, PageCheck::DirectivePlace(include).ToPlace(),
           text::Concat({u"unused include: nothing that ", include.node.FullPathView(),
                         u" declares is used, and it writes no output and runs no statement"})));
  note.finding->pageNumber = number;
}

void UnusedIncludeRule::Add(Note& into, Note&& note) {
  into.pages += note.pages;
  into.needed = into.needed || note.needed;
  if (into.needed) {
    into.finding.reset();
    return;
  }
  if (!note.finding) return;
  if (!into.finding || note.firstPage < into.firstPage) {
    std::swap(into.finding, note.finding);
    into.firstPage = note.firstPage;
  }
  if (note.finding) AddPageNumbers(*into.finding, *note.finding);
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
    findings.Keep(Info().id, std::move(*note->finding));
  }
  notes_.clear();
}

}  // namespace lintra
