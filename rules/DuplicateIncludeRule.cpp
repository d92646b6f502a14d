#include "rules/DuplicateIncludeRule.h"

#include <memory>
#include <unordered_set>

#include "analysis/File.h"
#include "rules/SourceFacts.h"

namespace lintra {

namespace {

// The repeats of `page` whose later copy declares again a name of the earlier one: name-redefined
// reports those.
std::unordered_set<const PageCheck::Repeat*> Redefining(PageCheck& page) {
  std::unordered_set<const PageCheck::Repeat*> redefining;
  for (const Redefinition& redefinition : page.Redefinitions()) {
    if (const PageCheck::Repeat* repeat = page.RepeatRedefining(redefinition)) {
      redefining.insert(repeat);
    }
  }
  return redefining;
}

// The repeats of `page` whose later copy writes output or runs a statement, in itself or in a
// file it brings.
std::unordered_set<const PageCheck::Repeat*> WithEffects(PageCheck& page) {
  std::unordered_set<const PageCheck::Repeat*> effects;
  page.EachInclude([&](File& node) {
    const PageCheck::Repeat* repeat = page.RepeatHolding(node);
    if (repeat && !effects.count(repeat) && page.Facts().Script(node).HasEffects()) {
      effects.insert(repeat);
    }
  });
  return effects;
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
      "remove the directive that is not needed. Reported once, at the directive that brings the "
      "file again, with the one that first brought it: the files that the second copy includes "
      "come again with it and are not reported apart. A warning when the second copy writes "
      "output or runs a statement at script level (it then does so twice); a note when it only "
      "declares procedures and classes, which costs nothing but compile time."};
  return info;
}

void DuplicateIncludeRule::Check(PageCheck& page, FindingSet& findings) {
  if (page.Repeats().empty()) return;
  const std::unordered_set<const PageCheck::Repeat*> redefining = Redefining(page);
  const std::unordered_set<const PageCheck::Repeat*> effects = WithEffects(page);
  for (const PageCheck::Repeat& repeat : page.Repeats()) {
    if (redefining.count(&repeat)) continue;
    const PageCheck::Include& again = *repeat.again;
    const PlaceView start = PageCheck::DirectiveStart(again);
    findings.Report(Info().id, start, [&] {
      const Place first = PageCheck::DirectivePlace(*repeat.first).ToPlace();
      RuleFinding finding =
          Make(page, again.parent, PageCheck::DirectivePlace(again, start).ToPlace(),
               text::Concat({u"duplicate include: ", again.node.FullPathView(),
                             u" was already included at ", LineLocation(first)}));
      finding.severity = ChosenSeverity(page.Settings())
                             .value_or(effects.count(&repeat) ? Severity::Warning : Severity::Note);
      finding.related.push_back(first);
      return finding;
    });
  }
}

}  // namespace lintra
