#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "analysis/TreeWalk.h"
#include "rules/NameScan.h"
#include "rules/VbScanner.h"

namespace lintra {

class File;
class PageTree;
class SourceFacts;

// A script-level declaration of a page: the position of its node in the page's tree
// (PageTree::Nodes) and the declaration in that node's text.
struct PageDeclaration {
  uint32_t node = 0;
  const Declaration* declaration = nullptr;
};

// A use of a page-level name in a page: the position of its node, the use in that node's text,
// the position in PageNames::Declarations of the declaration it resolves to, or
// PageNames::Unresolved, and whether its node comes into a procedure or class body (an include
// whose directive stands in one, or a file below it).
struct PageUse {
  uint32_t node = 0;
  const NameUse* use = nullptr;
  int32_t declaration = -1;
  bool inBody = false;
};

// Which declaration each use of a name in one page resolves to. The page is its tree expanded as
// the server compiles it (see FindRedefinitions for what comes in at script level); uses that a
// file resolves to a local or a class member (see NameScan) are not the page's. An include that
// comes into a procedure or class body declares nothing of the page (its declarations are the
// body's), but its uses are the page's too (PageUse::inBody): a fragment included in a procedure
// calls the page's functions when the procedure runs. VBScript's rules,
// names compared without regard to letter case:
// - all <% %> code of the page is one script, whose procedures, classes, variables and constants
//   are known in the whole script wherever they stand: declarations are hoisted to the top of
//   their script (E. Lippert, "Some quick notes on variable scoping", 2004; the Dim statement's
//   reference: "variables declared with Dim at the script level are available to all procedures
//   within the script");
// - procedures and classes are known in the whole page; of several procedures of one name the
//   last wins, of several classes or variables the first stands (the later ones are refused);
// - a use first sees its own script's declarations (a server script block's own, or those of
//   the page's <% %> code), then the page's procedures and classes, then the variables and
//   constants of the other scripts declared before the use in the expanded page.
// A page in another language than VBScript has no names. Made in one walk of the tree and one
// pass over what it found: the cost is what the page's tree holds.
class PageNames {
 public:
  static constexpr int32_t Unresolved = -1;
  // What to take: the declarations and the uses, or the declarations alone (Uses and UsedThrough
  // then hold nothing), for readers that need only what each name resolves to (Contested), at a
  // cost of the page's declarations rather than of all its code.
  enum class Taking { DeclarationsAndUses, Declarations };

  // The names of the page whose tree is `tree`, its texts' facts from `facts`; both must outlive
  // this.
  PageNames(const PageTree& tree, SourceFacts& facts, Taking taking = Taking::DeclarationsAndUses);

  // Whether Option Explicit is in force: it is the first statement of the page's <% %> code as
  // expanded, before every statement and declaration of the page and of its includes. Read with
  // the uses: false when the declarations alone are taken.
  bool OptionExplicit() const { return optionExplicit_; }
  // The script-level declarations, in the order of the expanded page.
  const std::vector<PageDeclaration>& Declarations() const { return declarations_; }
  // The uses of page-level names, in the order of the expanded page, each resolved.
  const std::vector<PageUse>& Uses() const { return uses_; }
  // The uses that resolve to no declaration of the page: built-in names (Response, Len, vbCrLf),
  // names the page never declares, variables made by assigning them without Option Explicit.
  std::vector<PageUse> UnresolvedUses() const;
  // What the page uses through the include directive of the node at `node`: the positions of the
  // declarations of that node and of the files below it that a use outside them resolves to, each
  // once, rising. Empty for the page's own node.
  const std::vector<int32_t>& UsedThrough(uint32_t node) const;
  // For each name that the page declares in more than one place (a file included twice declares
  // its names in one place), the declaration that a use of it in the page's <% %> code resolves
  // to, rising. A name declared in one place resolves there.
  std::vector<int32_t> Contested() const;

 private:
  // The declarations of one name that resolution chooses among, as positions in declarations_.
  struct Candidates {
    int32_t id = 0;
    // The first declaration, and whether another place declares the name too.
    const Declaration* first = nullptr;
    bool several = false;
    int32_t mainVariable = Unresolved;
    int32_t procedure = Unresolved;
    int32_t klass = Unresolved;
    int32_t otherVariable = Unresolved;
    // The declarations of the name in server script blocks.
    std::vector<int32_t> inBlocks;
  };

  // One node whose declarations, uses and includes are being taken in page order.
  struct Frame {
    uint32_t node = 0;
    const ScriptScan* scan = nullptr;
    const NameScan* names = nullptr;
    // The next of each to take: uses by their place in NameScan::pageUses, includes by their
    // node's position.
    size_t nextDeclaration = 0;
    size_t nextUse = 0;
    uint32_t nextInclude = 0;
    // Whether the node comes into a procedure or class body: only its uses are taken.
    bool inBody = false;
  };

  // Takes the declarations and uses of the page in the order of the expanded page.
  void Collect();
  // Makes room for all that the texts of the page's tree could give, so that a page that takes
  // the uses of large files does not copy them as they grow.
  void Reserve();
  // One step of the walk over `frame`'s node: its text up to its next include, then that include
  // (for its uses alone when it comes into a body); false once the node is done.
  bool Step(Frame& frame);
  // The uses of `file`'s text when they are taken; none otherwise.
  const NameScan& NamesOf(const File& file);
  // Takes the declarations and uses of `frame`'s text that stand before `offset`, in text order.
  void Take(Frame& frame, int32_t offset);
  // Takes the uses of `frame`'s text from the next one up to those at `last`.
  void TakeUses(Frame& frame, int32_t last);
  // Makes the table of candidates by name number, with room for every declaration's name.
  void IndexCandidates();
  void AddCandidate(int32_t position);
  // The slot of name number `id` in slots_: the one that holds its candidates, or the free one
  // where they go.
  size_t SlotOf(int32_t id) const;
  // The declaration that the use at `position` in uses_ resolves to.
  int32_t Resolve(size_t position) const;
  int32_t Resolve(const Candidates& candidates, uint32_t node, int32_t unit, size_t position) const;
  void NoteUsedThrough(const PageTree& tree, const PageUse& use);

  const PageTree& tree_;
  SourceFacts& facts_;
  Taking taking_;
  TreeWalk<Frame> walk_;
  // Whether the page's first statement was reached, which decides optionExplicit_.
  bool firstStatementSeen_ = false;
  bool optionExplicit_ = false;
  std::vector<PageDeclaration> declarations_;
  // By position in declarations_: how many uses come before it in the expanded page.
  std::vector<size_t> usesBefore_;
  std::vector<PageUse> uses_;
  // The candidates of each name that the page declares, found by the name's number through
  // slots_: a table with room for twice the declarations, each slot a position in candidates_ or
  // -1, looked up from a slot picked by the number's hash to the next that holds it or is free.
  std::vector<Candidates> candidates_;
  std::vector<int32_t> slots_;
  // By node.
  std::vector<std::vector<int32_t>> usedThrough_;
  // By position in declarations_: the first node on the way up from the declaration's own that
  // no use has been noted through yet (see NoteUsedThrough).
  std::vector<uint32_t> unnoted_;
};

}  // namespace lintra
