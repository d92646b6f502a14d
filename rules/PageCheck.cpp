#include "rules/PageCheck.h"

#include <algorithm>

#include "rules/SourceFacts.h"

namespace lintra {

PlaceView PageCheck::DirectiveStart(File& node, File& parent) {
  const LineColumn start = facts_.Lines(parent).At(node.BaseFileStart());
  return {parent.FullPathView(), parent.FullPathHash(), start.line, start.column, 0, 0};
}

PlaceView PageCheck::DirectivePlace(File& node, File& parent) {
  PlaceView place = DirectiveStart(node, parent);
  const LineColumn end = facts_.Lines(parent).At(node.BaseFileEnd());
  place.endLine = end.line;
  place.endColumn = end.column;
  return place;
}

const ScannedDirective* PageCheck::DirectiveOf(File& node, File& parent) {
  if (!parent.SharedContent()) return nullptr;
  const std::vector<ScannedDirective>& directives = parent.SharedContent()->Directives();
  const auto at = std::lower_bound(
      directives.begin(), directives.end(), node.BaseFileStart(),
      [](const ScannedDirective& directive, int32_t start) { return directive.Start < start; });
  if (at == directives.end() || at->Start != node.BaseFileStart()) return nullptr;
  return &*at;
}

const Text* PageCheck::RequestedPath(File& node, File& parent) {
  const ScannedDirective* directive = DirectiveOf(node, parent);
  if (!directive) return nullptr;
  const SourceText& text = *parent.SharedContent();
  return &text.IncludePath(static_cast<size_t>(directive - text.Directives().data()),
                           parent.Path());
}

const std::vector<PageCheck::Step>& PageCheck::Steps() {
  if (steps_) return *steps_;
  steps_.emplace();
  std::vector<Step> pending = {{&page_, nullptr}};
  while (!pending.empty()) {
    const Step step = pending.back();
    pending.pop_back();
    if (step.parent) steps_->push_back(step);
    const Files* includes = step.node->IncludesIfAny();
    if (!includes) continue;
    for (size_t i = includes->size(); i > 0; --i) {
      pending.push_back({(*includes)[i - 1].get(), step.node});
    }
  }
  return *steps_;
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
    chain.push_back(DirectivePlace(*path[i], i == 0 ? page_ : *path[i - 1]).ToPlace());
  }
  return chain;
}

Place PageCheck::DeclarationPlace(File& node, const Declaration& declaration) {
  return {node.FullPath(), declaration.line, declaration.column, declaration.line,
          declaration.endColumn};
}

const std::vector<Redefinition>& PageCheck::Redefinitions() {
  if (!redefinitions_) redefinitions_ = FindRedefinitions(page_, facts_);
  return *redefinitions_;
}

}  // namespace lintra
