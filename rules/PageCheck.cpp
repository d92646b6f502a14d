#include "rules/PageCheck.h"

#include <algorithm>

#include "analysis/DirectiveOf.h"
#include "rules/SourceFacts.h"

namespace lintra {

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
  const LineColumn end = include.parentLines.At(include.node.BaseFileEnd());
  place.endLine = end.line;
  place.endColumn = end.column;
  return place;
}

const ScannedDirective* PageCheck::DirectiveOf(const Include& include) {
  return lintra::DirectiveOf(include.parent, include.node);
}

const Text* PageCheck::RequestedPath(const Include& include) {
  return lintra::RequestedPath(include.parent, include.node);
}

const std::vector<PageCheck::Include>& PageCheck::Includes() {
  if (includes_) return *includes_;
  includes_.emplace();
  struct Pending {
    File* node;
    File* parent;
    const LineIndex* parentLines;
  };
  std::vector<Pending> pending = {{&page_, nullptr, nullptr}};
  while (!pending.empty()) {
    const Pending step = pending.back();
    pending.pop_back();
    if (step.parent) includes_->push_back({*step.node, *step.parent, *step.parentLines});
    const Files* includes = step.node->IncludesIfAny();
    if (!includes || includes->size() == 0) continue;
    const LineIndex* lines = &facts_.Lines(*step.node);
    for (size_t i = includes->size(); i > 0; --i) {
      pending.push_back({(*includes)[i - 1].get(), step.node, lines});
    }
  }
  return *includes_;
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
  const std::vector<Repeat>& repeats = Repeats();
  const auto found = repeatOf_.find(&node);
  return found == repeatOf_.end() ? nullptr : &repeats[found->second];
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
  std::unordered_map<TextView, const Include*> firsts;
  for (const Include& include : Includes()) {
    File& node = include.node;
    if (const auto outer = repeatOf_.find(&include.parent); outer != repeatOf_.end()) {
      repeatOf_.emplace(&node, outer->second);
      continue;
    }
    if (node.MissingFile() || node.CircularInclude()) continue;
    const auto [first, added] = firsts.try_emplace(node.FullPathView(), &include);
    if (added) continue;
    repeatOf_.emplace(&node, repeats_->size());
    repeats_->push_back({&include, first->second});
  }
}

const std::vector<Redefinition>& PageCheck::Redefinitions() {
  if (!redefinitions_) redefinitions_ = FindRedefinitions(page_, facts_);
  return *redefinitions_;
}

}  // namespace lintra
