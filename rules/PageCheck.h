#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <type_traits>
#include <unordered_map>
#include <vector>

#include "analysis/File.h"
#include "analysis/Files.h"
#include "rules/PageNames.h"
#include "rules/Redefinitions.h"
#include "rules/RuleFinding.h"
#include "rules/RuleSettings.h"
#include "site/PageTree.h"

namespace lintra {

class SourceFacts;

// One analysed page as the rules see it: its tree, the facts of the texts, the places of its
// directives, and what more than one rule asks of it, worked out once.
class PageCheck {
 public:
  // `tree`, `facts` and `settings` must outlive this.
  PageCheck(const PageTree& tree, SourceFacts& facts, const RuleSettings& settings)
      : tree_(tree), page_(tree.Page()), facts_(facts), settings_(settings) {}

  File& Page() { return page_; }
  const PageTree& Tree() const { return tree_; }
  SourceFacts& Facts() { return facts_; }
  const RuleSettings& Settings() const { return settings_; }

  // One file that the page includes: its node, the node whose directive pulled it in, and where
  // the lines of that parent's text begin.
  struct Include {
    File& node;
    File& parent;
    const LineIndex& parentLines;
  };

  // Calls `visit(node)`, or `visit(include)` with an Include, for each file the page includes,
  // in the order of the expanded page. The page is walked once, whichever rules ask.
  template <class Visit>
  void EachInclude(Visit&& visit);
  // How many files the page includes, and where `include` stands among them in page order, from 0.
  size_t IncludeCount() { return Includes().size(); }
  size_t PositionOf(const Include& include) {
    return static_cast<size_t>(&include - Includes().data());
  }

  // The stretch of `node`'s text from position `start` up to `end` (from 1, `end` just after it),
  // whose lines begin as `lines` says.
  static PlaceView TextPlace(File& node, const LineIndex& lines, int32_t start, int32_t end);
  // The directive of `include`, and the same without its end: enough to look a finding up by.
  static PlaceView DirectivePlace(const Include& include);
  static PlaceView DirectiveStart(const Include& include);
  // The same as DirectivePlace, given what DirectiveStart returned for `include`.
  static PlaceView DirectivePlace(const Include& include, PlaceView start);
  // That directive as the parent's text holds it, or null when the text holds none there.
  static const ScannedDirective* DirectiveOf(const Include& include);
  // The path that the directive asks for, before the host named the file it found, or nothing when
  // there is no directive.
  static std::optional<Text> RequestedPath(const Include& include);
  // Whether the text of `node` is in the page as the server compiles it: it was read, and its
  // include is neither missing nor circular.
  static bool Compiled(const File& node);
  // The place of `node`'s file as a whole.
  static Place FilePlace(File& node);
  // The directives that lead from the page to `node`, outermost first. A chain of more than
  // MaxChainLinks directives keeps only its outermost and innermost MaxChainLinks / 2, so that
  // findings all along a chain thousands of includes deep do not hold it thousands of times.
  std::vector<Place> ChainTo(File& node);
  static constexpr size_t MaxChainLinks = 32;
  // The place of `declaration`, in the text of `node`.
  static Place DeclarationPlace(File& node, const Declaration& declaration);

  // The page's redefined names (see FindRedefinitions), found on the first call.
  const std::vector<Redefinition>& Redefinitions();
  // Which declaration each use of a name in the page resolves to, found on the first call.
  const PageNames& Names();
  // For each node of the tree, whether the page can do without the include that brings it (see
  // UnneededIncludes), found on the first call.
  const std::vector<bool>& Unneeded();

  // A file that the page includes again: the include that brings a later copy of it, where no
  // copy around that include is itself a later one, and the include that first brought the file.
  // Everything below `again` is a later copy too, so `again` is the one cause of all of it.
  struct Repeat {
    const Include* again;
    const Include* first;
  };
  // The page's repeats, in page order; found on the first call. A file is the same file when its
  // full path is the same; missing and circular includes are none.
  const std::vector<Repeat>& Repeats();
  // The repeat whose later copy holds the node that `include` brings (as that copy or below it),
  // or null.
  const Repeat* RepeatHolding(const Include& include);
  // The Class, Sub, Function or Property body in which the copy of a file that `include` brings
  // lies in the page as the server compiles it: the body that holds its directive, or else the
  // body in which the node holding that directive lies. Null `node` at script level.
  struct Body {
    // The node whose text holds the body, and the body's position in that text's bodies.
    const File* node = nullptr;
    size_t index = 0;
    bool operator==(const Body&) const = default;
  };
  Body BodyOf(const Include& include);
  // Why only one of the copies that `repeat` brings runs, if so: they lie in different branches
  // of one block If or Select Case, in the file where the directives that lead to them part, so
  // that each time the block runs at most one of them does (OtherBranches); or the earlier copy
  // lies in a branch that ends the response after it (see Branch::ends), and the later copy
  // outside that branch, in that file or in one that the earlier copy comes through, so that once
  // the earlier copy runs the later one does not (FirstEnds).
  enum class OneRuns { No, OtherBranches, FirstEnds };
  OneRuns WhyOneRuns(const Repeat& repeat);

  // The repeat that makes `redefinition`: a later copy of a file declaring again what an earlier
  // copy of that file declared; null for a name that two files declare.
  const Repeat* RepeatRedefining(const Redefinition& redefinition);

 private:
  const PageTree& tree_;
  File& page_;
  SourceFacts& facts_;
  const RuleSettings& settings_;
  std::optional<std::vector<Redefinition>> redefinitions_;
  std::unique_ptr<PageNames> names_;
  std::optional<std::vector<bool>> unneeded_;
  void FindRepeats();
  // Where the directives that lead to the copies of `repeat` part: the file that holds the two
  // directives that part, the nodes they pull in, and the nodes below `first` on the way down to
  // the earlier copy, outermost first. A null holder when one way holds the other.
  struct Parting {
    const File* holder = nullptr;
    const File* first = nullptr;
    const File* again = nullptr;
    std::vector<File*> belowFirst;
  };
  Parting PartingOf(const Repeat& repeat);
  std::optional<std::vector<Repeat>> repeats_;
  // For each include, by its position, the position in repeats_ of the repeat whose later copy
  // holds the node it brings, or NoRepeat.
  static constexpr uint32_t NoRepeat = UINT32_MAX;
  std::vector<uint32_t> repeatAt_;
  // The same as RepeatHolding of the include that brings `node`, for a redefinition, which knows
  // its node only; null for the page itself.
  const Repeat* RepeatHolding(const File& node);
  // The position of each included node among the includes, made when a repeat is first asked
  // for by node.
  std::unordered_map<const File*, size_t> positionOf_;
  // The body of each include (see BodyOf), by its position among the includes, found on first
  // use.
  void FindBodies();
  std::optional<std::vector<Body>> bodies_;
  // Each include of the page, in page order, made on first use: the one at position i brings the
  // tree's node i + 1.
  const std::vector<Include>& Includes();
  std::optional<std::vector<Include>> includes_;
  // The position of the include that brings the node whose directive the include at `at` is, or
  // NoInclude when that directive is the page's own.
  static constexpr size_t NoInclude = SIZE_MAX;
  size_t OuterInclude(size_t at) const {
    const uint32_t parent = tree_.Nodes()[at + 1].parent;
    return parent == 0 ? NoInclude : parent - 1;
  }
  // The nodes that directives pulled in on the way from the page down to the node of the last
  // chain, outermost first, and where each stands in it: the next chain of a walk in page order
  // climbs only to where it leaves this path, so chains cost what they hold, not how deep they are.
  const std::vector<File*>& PathTo(File& node);
  std::vector<File*> path_;
  std::unordered_map<const File*, size_t> pathIndex_;
};

template <class Visit>
void PageCheck::EachInclude(Visit&& visit) {
  for (const Include& include : Includes()) {
    if constexpr (std::is_invocable_v<Visit&, const Include&>) {
      visit(include);
    } else {
      visit(include.node);
    }
  }
}

}  // namespace lintra
