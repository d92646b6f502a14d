#include "rules/PageCheck.h"

#include <algorithm>
#include <cstddef>
#include <utility>

#include "analysis/DirectiveOf.h"
#include "rules/HashedPath.h"
#include "rules/IncludeNeeds.h"
#include "rules/SourceFacts.h"
#include "rules/VbBranches.h"

namespace lintra {

PlaceView PageCheck::TextPlace(File& node, const LineIndex& lines, int32_t start, int32_t end) {
  const LineColumn first = lines.At(start);
  const LineColumn last = lines.At(end);
  return {node.FullPathView(), node.FullPathHash(), first.line,
          first.column,        last.line,           last.column};
}

PlaceView PageCheck::DirectiveStart(const Include& include) {
  const LineColumn start = include.parentLines.At(include.node.BaseFileStart());
  return {
      include.parent.FullPathView(), include.parent.FullPathHash(), start.line, start.column, 0, 0};
}

PlaceView PageCheck::DirectivePlace(const Include& include) {
  return DirectivePlace(include, DirectiveStart(include));
}

PlaceView PageCheck::DirectivePlace(const Include& include, PlaceView start) {
  PlaceView place = start;
  const LineColumn end = include.parentLines.After(
      include.node.BaseFileStart(), {place.line, place.column}, include.node.BaseFileEnd());
  place.endLine = end.line;
  place.endColumn = end.column;
  return place;
}

const ScannedDirective* PageCheck::DirectiveOf(const Include& include) {
  return lintra::DirectiveOf(include.parent, include.node);
}

std::optional<Text> PageCheck::RequestedPath(const Include& include) {
  return lintra::RequestedPath(include.parent, include.node);
}

const std::vector<PageCheck::Include>& PageCheck::Includes() {
  if (includes_) return *includes_;
  includes_.emplace();
  const std::vector<PageTree::Node>& nodes = tree_.Nodes();
  includes_->reserve(nodes.size() - 1);
  // Where the lines of each node's text begin, found for the nodes that include something.
  std::vector<const LineIndex*> lines(nodes.size(), nullptr);
  for (size_t i = 1; i < nodes.size(); ++i) {
    const uint32_t parent = nodes[i].parent;
    if (!lines[parent]) lines[parent] = &facts_.Lines(*nodes[parent].file);
    includes_->push_back({*nodes[i].file, *nodes[parent].file, *lines[parent]});
  }
  return *includes_;
}

bool PageCheck::Compiled(const File& node) {
  return node.SharedContent() && Expanded(node);
}

Place PageCheck::FilePlace(File& node) {
  return Place{node.FullPath()};
}

const std::vector<File*>& PageCheck::PathTo(File& node) {
  std::vector<File*> climbed;
  size_t keep = 0;
  for (File* at = &node; at != &page_;) {
    const auto known = pathIndex_.find(at);
    if (known != pathIndex_.end()) {
      keep = known->second + 1;
      break;
    }
    climbed.push_back(at);
    const std::shared_ptr<File> parent = at->Parent();
    if (!parent) break;
    at = parent.get();
  }
  for (size_t i = keep; i < path_.size(); ++i) pathIndex_.erase(path_[i]);
  path_.resize(keep);
  for (auto link = climbed.rbegin(); link != climbed.rend(); ++link) {
    pathIndex_[*link] = path_.size();
    path_.push_back(*link);
  }
  return path_;
}

std::vector<Place> PageCheck::ChainTo(File& node) {
  if (&node == &page_) return {};
  const std::vector<File*>& path = PathTo(node);
  const size_t half = MaxChainLinks / 2;
  std::vector<Place> chain;
  for (size_t i = 0; i < path.size(); ++i) {
    if (path.size() > MaxChainLinks && i == half) i = path.size() - half;
    File& parent = i == 0 ? page_ : *path[i - 1];
    chain.push_back(DirectivePlace({*path[i], parent, facts_.Lines(parent)}).ToPlace());
  }
  return chain;
}

Place PageCheck::DeclarationPlace(File& node, const Declaration& declaration) {
  return {node.FullPath(), declaration.line, declaration.column, declaration.line,
          declaration.endColumn};
}

const std::vector<PageCheck::Repeat>& PageCheck::Repeats() {
  if (!repeats_) FindRepeats();
  return *repeats_;
}

const PageCheck::Repeat* PageCheck::RepeatHolding(const File& node) {
  const std::vector<Include>& includes = Includes();
  if (positionOf_.empty()) {
    positionOf_.reserve(includes.size());
    for (size_t at = 0; at < includes.size(); ++at) positionOf_.emplace(&includes[at].node, at);
  }
  const auto found = positionOf_.find(&node);
  return found == positionOf_.end() ? nullptr : RepeatHolding(includes[found->second]);
}

const PageCheck::Repeat* PageCheck::RepeatHolding(const Include& include) {
  const std::vector<Repeat>& repeats = Repeats();
  const uint32_t at = repeatAt_[PositionOf(include)];
  return at == NoRepeat ? nullptr : &repeats[at];
}

const PageCheck::Repeat* PageCheck::RepeatRedefining(const Redefinition& redefinition) {
  const Repeat* repeat = RepeatHolding(*redefinition.node);
  if (!repeat) return nullptr;
  const bool sameFile =
      text::SameUnits(redefinition.node->FullPathView(), redefinition.firstNode->FullPathView());
  return sameFile ? repeat : nullptr;
}

void PageCheck::FindRepeats() {
  repeats_.emplace();
  const std::vector<Include>& includes = Includes();
  repeatAt_.assign(includes.size(), NoRepeat);
  std::unordered_map<HashedPathView, const Include*, HashedPathHash, SamePath> firsts;
  firsts.reserve(includes.size());
  for (size_t at = 0; at < includes.size(); ++at) {
    const Include& include = includes[at];
    const size_t outer = OuterInclude(at);
    if (outer != NoInclude && repeatAt_[outer] != NoRepeat) {
      repeatAt_[at] = repeatAt_[outer];
      continue;
    }
    File& node = include.node;
    if (node.MissingFile() || node.CircularInclude()) continue;
    const auto [first, added] =
        firsts.try_emplace({node.FullPathView(), node.FullPathHash()}, &include);
    if (added) continue;
    repeatAt_[at] = static_cast<uint32_t>(repeats_->size());
    repeats_->push_back({&include, first->second});
  }
}

PageCheck::Body PageCheck::BodyOf(const Include& include) {
  if (!bodies_) FindBodies();
  return (*bodies_)[PositionOf(include)];
}

PageCheck::Parting PageCheck::PartingOf(const Repeat& repeat) {
  if (&repeat.first->parent == &repeat.again->parent) {
    return {&repeat.first->parent, &repeat.first->node, &repeat.again->node, {}};
  }
  std::vector<File*> firstPath = PathTo(repeat.first->node);
  const std::vector<File*>& againPath = PathTo(repeat.again->node);
  size_t part = 0;
  while (part < firstPath.size() && part < againPath.size() && firstPath[part] == againPath[part]) {
    ++part;
  }
  if (part >= firstPath.size() || part >= againPath.size()) return {};
  Parting parting{part == 0 ? &page_ : firstPath[part - 1], firstPath[part], againPath[part], {}};
  firstPath.erase(firstPath.begin(), firstPath.begin() + static_cast<ptrdiff_t>(part) + 1);
  parting.belowFirst = std::move(firstPath);
  return parting;
}

PageCheck::OneRuns PageCheck::WhyOneRuns(const Repeat& repeat) {
  const Parting parting = PartingOf(repeat);
  if (!parting.holder) return OneRuns::No;
  const ScriptScan& holder = facts_.Script(*parting.holder);
  const int32_t first = DirectiveOffset(*parting.first);
  const int32_t again = DirectiveOffset(*parting.again);
  if (InOtherBranches(holder.branches, first, again)) return OneRuns::OtherBranches;
  if (holder.branchEnds && EndsResponseAfter(holder.branches, first, again)) {
    return OneRuns::FirstEnds;
  }
  // Below where the ways part, the later copy lies outside every branch.
  const File* node = parting.first;
  for (const File* below : parting.belowFirst) {
    const ScriptScan& scan = facts_.Script(*node);
    if (scan.branchEnds && EndsResponseAfter(scan.branches, DirectiveOffset(*below), -1)) {
      return OneRuns::FirstEnds;
    }
    node = below;
  }
  return OneRuns::No;
}

void PageCheck::FindBodies() {
  const std::vector<Include>& includes = Includes();
  bodies_.emplace();
  bodies_->reserve(includes.size());
  for (size_t at = 0; at < includes.size(); ++at) {
    const Include& include = includes[at];
    const size_t own =
        BodyHolding(facts_.Script(include.parent).bodies, DirectiveOffset(include.node));
    const size_t outer = OuterInclude(at);
    bodies_->push_back(own != TextView::npos ? Body{&include.parent, own}
                       : outer == NoInclude  ? Body()
                                             : (*bodies_)[outer]);
  }
}

const std::vector<bool>& PageCheck::Unneeded() {
  if (!unneeded_) unneeded_ = UnneededIncludes(*this);
  return *unneeded_;
}

const std::vector<Redefinition>& PageCheck::Redefinitions() {
  if (!redefinitions_) redefinitions_ = FindRedefinitions(page_, facts_);
  return *redefinitions_;
}

const PageNames& PageCheck::Names() {
  if (!names_) names_ = std::make_unique<PageNames>(tree_, facts_);
  return *names_;
}

}  // namespace lintra
