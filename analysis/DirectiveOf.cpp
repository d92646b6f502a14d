#include "analysis/DirectiveOf.h"

#include <algorithm>
#include <vector>

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

const Text* RequestedPath(const File& parent, const File& node) {
  const ScannedDirective* directive = DirectiveOf(parent, node);
  return directive ? &RequestedPath(parent, *directive) : nullptr;
}

const Text& RequestedPath(const File& parent, const ScannedDirective& directive) {
  const SourceText& text = *parent.SharedContent();
  return text.IncludePath(static_cast<size_t>(&directive - text.Directives().data()),
                          parent.Path());
}

namespace {

// `path` without its empty and "." segments, as the supply reads it: a leading "/" or "./" names
// the folder the path starts from.
Text WithoutEmptySegments(TextView path) {
  Text kept;
  size_t from = 0;
  while (from <= path.size()) {
    const size_t slash = std::min(path.find(u'/', from), path.size());
    const TextView segment = path.substr(from, slash - from);
    if (!segment.empty() && segment != u".") {
      if (!kept.empty()) kept += u'/';
      kept += segment;
    }
    from = slash + 1;
  }
  return kept;
}

}  // namespace

Text NamedPath(const File& parent, const File& node) {
  const Text* requested = node.SharedContent() ? nullptr : RequestedPath(parent, node);
  return requested ? WithoutEmptySegments(*requested) : node.FullPath();
}

}  // namespace lintra
