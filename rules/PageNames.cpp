#include "rules/PageNames.h"

#include <algorithm>
#include <limits>

#include "analysis/File.h"
#include "rules/Redefinitions.h"
#include "rules/SourceFacts.h"
#include "site/PageTree.h"

namespace lintra {

namespace {

constexpr int32_t FreeSlot = -1;

void SortUnique(std::vector<int32_t>& values) {
  std::sort(values.begin(), values.end());
  values.erase(std::unique(values.begin(), values.end()), values.end());
}

}  // namespace

PageNames::PageNames(const PageTree& tree, SourceFacts& facts, Taking taking)
    : tree_(tree), facts_(facts), taking_(taking) {
  usedThrough_.resize(tree.Nodes().size());
  Collect();
  IndexCandidates();
  unnoted_.reserve(declarations_.size());
  for (size_t i = 0; i < declarations_.size(); ++i) {
    AddCandidate(static_cast<int32_t>(i));
    unnoted_.push_back(declarations_[i].node);
  }
  for (size_t i = 0; i < uses_.size(); ++i) {
    uses_[i].declaration = Resolve(i);
    if (uses_[i].declaration != Unresolved) NoteUsedThrough(tree, uses_[i]);
  }
  for (std::vector<int32_t>& used : usedThrough_) std::sort(used.begin(), used.end());
}

void PageNames::Collect() {
  File& page = tree_.Page();
  const NameScan& names = NamesOf(page);
  const ScriptScan& scan = facts_.Script(page);
  if (scan.language == PageLanguage::Other || !Expanded(page)) return;
  Reserve();
  walk_.Enter(Frame{0, &scan, &names, 0, 0, 1});
  walk_.Run([this](Frame& frame) { return Step(frame); });
}

bool PageNames::Step(Frame& frame) {
  const std::vector<PageTree::Node>& nodes = tree_.Nodes();
  if (frame.nextInclude >= frame.node + nodes[frame.node].size) {
    Take(frame, std::numeric_limits<int32_t>::max());
    return false;
  }
  const uint32_t include = frame.nextInclude;
  frame.nextInclude += nodes[include].size;
  File& file = *nodes[include].file;
  Take(frame, DirectiveOffset(file));
  if (!Expanded(file)) return true;
  const bool inBody = frame.inBody || !AtScriptLevel(file, *frame.scan);
  if (inBody && taking_ == Taking::Declarations) return true;
  const NameScan& names = NamesOf(file);
  walk_.Enter(Frame{include, &facts_.Script(file), &names, 0, 0, include + 1, inBody});
  return true;
}

void PageNames::Reserve() {
  size_t declarations = 0;
  size_t uses = 0;
  for (const PageTree::Node& node : tree_.Nodes()) {
    if (!Expanded(*node.file)) continue;
    uses += NamesOf(*node.file).pageUses.size();
    declarations += facts_.Script(*node.file).declarations.size();
  }
  uses_.reserve(uses);
  declarations_.reserve(declarations);
  usesBefore_.reserve(declarations);
}

const NameScan& PageNames::NamesOf(const File& file) {
  static const NameScan none;
  // The uses first: one scan then finds the declarations too.
  return taking_ == Taking::DeclarationsAndUses ? facts_.Names(file) : none;
}

void PageNames::Take(Frame& frame, int32_t offset) {
  static const std::vector<Declaration> none;
  const std::vector<Declaration>& declarations = frame.inBody ? none : frame.scan->declarations;
  for (;;) {
    const bool declaration = frame.nextDeclaration < declarations.size() &&
                             declarations[frame.nextDeclaration].offset < offset;
    // The uses before the next declaration come first, and one at its very place too.
    TakeUses(frame, declaration ? declarations[frame.nextDeclaration].offset : offset - 1);
    if (!declaration) break;
    declarations_.push_back({frame.node, &declarations[frame.nextDeclaration++]});
    usesBefore_.push_back(uses_.size());
  }
  const int32_t first = frame.names->firstStatement;
  if (!firstStatementSeen_ && !frame.inBody && first >= 0 && first < offset) {
    firstStatementSeen_ = true;
    optionExplicit_ = frame.names->optionExplicit == first;
  }
}

void PageNames::TakeUses(Frame& frame, int32_t last) {
  const std::vector<NameUse>& uses = frame.names->uses;
  const std::vector<uint32_t>& pageUses = frame.names->pageUses;
  for (; frame.nextUse < pageUses.size(); ++frame.nextUse) {
    const NameUse& use = uses[pageUses[frame.nextUse]];
    if (use.offset > last) return;
    uses_.push_back({frame.node, &use, Unresolved, frame.inBody});
  }
}

void PageNames::IndexCandidates() {
  size_t size = 2;
  while (size < 2 * declarations_.size()) size *= 2;
  slots_.assign(size, FreeSlot);
}

size_t PageNames::SlotOf(int32_t id) const {
  const size_t mask = slots_.size() - 1;
  size_t slot = static_cast<size_t>(static_cast<uint32_t>(id) * 0x9E3779B1u) & mask;
  while (slots_[slot] != FreeSlot && candidates_[static_cast<size_t>(slots_[slot])].id != id) {
    slot = (slot + 1) & mask;
  }
  return slot;
}

void PageNames::AddCandidate(int32_t position) {
  const Declaration& declaration = *declarations_[static_cast<size_t>(position)].declaration;
  int32_t& slot = slots_[SlotOf(declaration.id)];
  if (slot == FreeSlot) {
    slot = static_cast<int32_t>(candidates_.size());
    candidates_.emplace_back().id = declaration.id;
  }
  Candidates& candidates = candidates_[static_cast<size_t>(slot)];
  if (!candidates.first) candidates.first = &declaration;
  candidates.several = candidates.several || candidates.first != &declaration;
  const auto first = [position](int32_t& chosen) {
    if (chosen == Unresolved) chosen = position;
  };
  if (declaration.kind == DeclarationKind::Procedure) {
    candidates.procedure = position;
  } else if (declaration.kind == DeclarationKind::Class) {
    first(candidates.klass);
  } else {
    first(declaration.unit == 0 ? candidates.mainVariable : candidates.otherVariable);
  }
  if (declaration.unit != 0) candidates.inBlocks.push_back(position);
}

int32_t PageNames::Resolve(size_t position) const {
  const PageUse& use = uses_[position];
  const int32_t slot = slots_[SlotOf(use.use->id)];
  if (slot == FreeSlot) return Unresolved;
  return Resolve(candidates_[static_cast<size_t>(slot)], use.node, use.use->unit, position);
}

int32_t PageNames::Resolve(const Candidates& candidates, uint32_t node, int32_t unit,
                           size_t position) const {
  if (unit != 0) {
    for (const int32_t block : candidates.inBlocks) {
      const PageDeclaration& declaration = declarations_[static_cast<size_t>(block)];
      if (declaration.node == node && declaration.declaration->unit == unit) return block;
    }
  } else if (candidates.mainVariable != Unresolved) {
    return candidates.mainVariable;
  }
  if (candidates.procedure != Unresolved) return candidates.procedure;
  if (candidates.klass != Unresolved) return candidates.klass;
  for (const int32_t variable : {candidates.mainVariable, candidates.otherVariable}) {
    if (variable != Unresolved && usesBefore_[static_cast<size_t>(variable)] <= position) {
      return variable;
    }
  }
  return Unresolved;
}

void PageNames::NoteUsedThrough(const PageTree& tree, const PageUse& use) {
  const std::vector<PageTree::Node>& nodes = tree.Nodes();
  // The nodes below `at` on the way up from the declaration are noted for it already, and hold
  // the use when `at` does.
  uint32_t& at = unnoted_[static_cast<size_t>(use.declaration)];
  for (; at != 0 && at != PageTree::NoParent; at = nodes[at].parent) {
    if (use.node >= at && use.node < at + nodes[at].size) return;
    usedThrough_[at].push_back(use.declaration);
  }
}

std::vector<PageUse> PageNames::UnresolvedUses() const {
  std::vector<PageUse> unresolved;
  std::copy_if(uses_.begin(), uses_.end(), std::back_inserter(unresolved),
               [](const PageUse& use) { return use.declaration == Unresolved; });
  return unresolved;
}

const std::vector<int32_t>& PageNames::UsedThrough(uint32_t node) const {
  static const std::vector<int32_t> none;
  return node < usedThrough_.size() ? usedThrough_[node] : none;
}

std::vector<int32_t> PageNames::Contested() const {
  std::vector<int32_t> contested;
  for (const Candidates& candidates : candidates_) {
    const int32_t chosen =
        candidates.several ? Resolve(candidates, 0, 0, uses_.size()) : Unresolved;
    if (chosen != Unresolved) contested.push_back(chosen);
  }
  SortUnique(contested);
  return contested;
}

}  // namespace lintra
