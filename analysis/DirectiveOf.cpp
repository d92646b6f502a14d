#include "analysis/DirectiveOf.h"

#include <algorithm>
#include <vector>

#include "analysis/PathSegments.h"

namespace lintra {

const ScannedDirective* DirectiveOf(const File& parent, const File& node) {
  const std::shared_ptr<const SourceText>& text = parent.SharedContent();
  if (!text) return nullptr;
  const int32_t start = node.BaseFileStart();
  const std::vector<ScannedDirective>& directives = text->Directives();
  const auto at = std::lower_bound(
      directives.begin(), directives.end(), start,
      [](const ScannedDirective& directive, int32_t wanted) { return directive.Start < wanted; });
  if (at == directives.end() || at->Start != start) return nullptr;
  return &*at;
}

std::optional<Text> RequestedPath(const File& parent, const File& node) {
  const ScannedDirective* directive = DirectiveOf(parent, node);
  if (!directive) return std::nullopt;
  return RequestedPath(parent, *directive);
}

Text RequestedPath(const File& parent, const ScannedDirective& directive) {
  const SourceText& text = *parent.SharedContent();
  return text.IncludePath(static_cast<size_t>(&directive - text.Directives().data()),
                          parent.Path());
}

Text NamedPath(const File& parent, const File& node) {
  const std::optional<Text> requested =
      node.SharedContent() ? std::nullopt : RequestedPath(parent, node);
  return requested ? JoinedSegments(*requested) : node.FullPath();
}

}  // namespace lintra
