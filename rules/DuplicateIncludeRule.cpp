#include "rules/DuplicateIncludeRule.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "analysis/File.h"
#include "rules/SourceFacts.h"

namespace lintra {

namespace {

// Where `repeat` stands among the repeats of `page`.
size_t PositionOf(PageCheck& page, const PageCheck::Repeat& repeat) {
  return static_cast<size_t>(&repeat - page.Repeats().data());
}

// By position among the repeats of `page`: whether the later copy declares again a name of the
// earlier one: name-redefined reports those.
std::vector<bool> Redefining(PageCheck& page) {
  std::vector<bool> redefining(page.Repeats().size());
  for (const Redefinition& redefinition : page.Redefinitions()) {
    if (const PageCheck::Repeat* repeat = page.RepeatRedefining(redefinition)) {
      redefining[PositionOf(page, *repeat)] = true;
    }
  }
  return redefining;
}

// By position among the repeats of `page`: whether the later copy writes output or runs a
// statement where it is included, in itself or in a file it brings into the same stretch of code
// (what a file brings into one of the copy's procedures runs when the procedure is called).
std::vector<bool> WithEffects(PageCheck& page) {
  std::vector<bool> effects(page.Repeats().size());
  page.EachInclude([&](const PageCheck::Include& include) {
    const PageCheck::Repeat* repeat = page.RepeatHolding(include);
    if (!repeat) return;
    const size_t at = PositionOf(page, *repeat);
    if (!effects[at] && page.BodyOf(include) == page.BodyOf(*repeat->again) &&
        page.Facts().Script(include.node).HasEffects()) {
      effects[at] = true;
    }
  });
  return effects;
}

}  // namespace

const RuleInfo& DuplicateIncludeRule::Info() const {
  // The IIS 6.0 SDK, "Including Files in ASP Applications" (learn.microsoft.com, previous-
  // versions/iis/6.0-sdk/ms524876): an include inserts the file's content before the server
  // processes the page. What the copy inserted in a procedure writes runs when the procedure is
  // called, as any other statement of its body. The VBScript reference, "If...Then...Else
  // Statement" (learn.microsoft.com, previous-versions 5h27x7e9): of a block If only the
  // statements after the first condition that holds, or after Else, run. The IIS 6.0 SDK,
  // "Response.End Method" (ms524629): End stops the processing of the script; "IResponse::Redirect"
  // (ms524530): Redirect first stops the server from processing the current script.
  static const RuleInfo info{
      "duplicate-include", Severity::Warning, "", "A file is included more than once in a page.",
      "The server inserts the content of each included file where its directive stands before "
      "it processes the page (IIS 6.0 SDK, \"Including Files in ASP Applications\"), so each copy "
      "is compiled where it stands. The page still runs as long as the copies declare no "
      "script-level name (that is name-redefined). Reported once, at the directive that brings "
      "the file again, with the one that first brought it: the files that the second copy "
      "includes come again with it and are not reported apart. A warning when both copies lie "
      "in the same stretch of code (both at script level, or in one procedure) and the second "
      "writes output or runs a statement: it then does so twice. A note when the copy only "
      "declares procedures and classes (a byte-order mark it begins with is no output: servers "
      "after IIS 5 drop it), which costs compile time, when the copies lie in "
      "different procedures (or one at script level): each writes its output when the code "
      "around it runs, as a procedure does each time it is called, when they lie in different "
      "branches of one block If or Select Case, of which only one runs, and when the first copy "
      "lies in a branch that later calls Response.End or Response.Redirect (among its own "
      "statements, not in a block or loop within it) and the second outside that branch: both "
      "stop the script (IIS 6.0 SDK, \"Response.End Method\", \"IResponse::Redirect\"), so "
      "once the first copy runs the second does not. Remove the directive that is not needed, "
      "or move what the copies share into a procedure."};
  return info;
}

namespace {

using OneRuns = PageCheck::OneRuns;

// The directive that first brought a repeated file: its place, and its LineLocation.
struct FirstCopy {
  PlaceView place;
  Text location;
};

// The first copies of the repeats of one page, each found once however many repeats share it:
// the places of a file's later copies all name its first.
class FirstCopies {
 public:
  explicit FirstCopies(PageCheck& page) : page_(page), slotOf_(page.IncludeCount(), NoSlot) {}

  // The first copy of `repeat`, until the next call.
  const FirstCopy& Of(const PageCheck::Repeat& repeat) {
    uint32_t& slot = slotOf_[page_.PositionOf(*repeat.first)];
    if (slot == NoSlot) {
      slot = static_cast<uint32_t>(copies_.size());
      const PlaceView place = PageCheck::DirectivePlace(*repeat.first);
      copies_.push_back({place, LineLocation(place.file, place.line)});
    }
    return copies_[slot];
  }

 private:
  static constexpr uint32_t NoSlot = UINT32_MAX;
  PageCheck& page_;
  std::vector<uint32_t> slotOf_;
  std::vector<FirstCopy> copies_;
};

// The message of `repeat`, whose copies lie in the bodies `first` and `again`, and the severity it
// has when the settings choose none: a warning when the later copy writes output or runs a
// statement (`effects`) and both copies run as one stretch of code, in the same body or both at
// script level, so that it happens twice; a note otherwise, which says when the copies in
// procedures run, or why only one of them runs (`oneRuns`).
std::pair<Text, Severity> Describe(const PageCheck::Repeat& repeat, PageCheck::Body first,
                                   PageCheck::Body again, const FirstCopy& firstCopy, bool effects,
                                   OneRuns oneRuns) {
  Text message = text::Concat({u"duplicate include: ", repeat.again->node.FullPathView(),
                               u" was already included at ", firstCopy.location});
  if (!effects) return {std::move(message), Severity::Note};
  if (first == again) {
    if (oneRuns == OneRuns::No) return {std::move(message), Severity::Warning};
    message += oneRuns == OneRuns::OtherBranches
                   ? u", in another branch of one If or Select Case: only one of the copies runs"
                   : u", in a branch that ends the response after it: only one of the copies runs";
    return {std::move(message), Severity::Note};
  }
  message += first.node && again.node
                 ? u", in another procedure: each copy writes its output when its procedure is "
                   u"called"
                 : u", and one copy lies in a procedure: it writes its output each time the "
                   u"procedure is called";
  return {std::move(message), Severity::Note};
}

}  // namespace

void DuplicateIncludeRule::Check(PageCheck& page, FindingSet& findings) {
  if (page.Repeats().empty()) return;
  const std::vector<bool> redefining = Redefining(page);
  const std::vector<bool> effects = WithEffects(page);
  const std::vector<PageCheck::Repeat>& repeats = page.Repeats();
  const std::optional<Severity> chosen = ChosenSeverity(page.Settings());
  FirstCopies firstCopies(page);
  for (size_t at = 0; at < repeats.size(); ++at) {
    if (redefining[at]) continue;
    const PageCheck::Repeat& repeat = repeats[at];
    const PageCheck::Include& again = *repeat.again;
    const PlaceView start = PageCheck::DirectiveStart(again);
    findings.Report(Info().id, start, [&] {
      const FirstCopy& first = firstCopies.Of(repeat);
      const PageCheck::Body firstBody = page.BodyOf(*repeat.first);
      const PageCheck::Body againBody = page.BodyOf(again);
      const OneRuns oneRuns =
          effects[at] && firstBody == againBody ? page.WhyOneRuns(repeat) : OneRuns::No;
      auto [message, severity] =
          Describe(repeat, firstBody, againBody, first, effects[at], oneRuns);
      RuleFinding finding =
          Make(page, again.parent, PageCheck::DirectivePlace(again, start).ToPlace(),
               std::move(message));
      finding.severity = chosen.value_or(severity);
      finding.related.push_back(first.place.ToPlace());
      return finding;
    });
  }
}

}  // namespace lintra
