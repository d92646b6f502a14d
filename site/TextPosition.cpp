#include "site/TextPosition.h"

#include <algorithm>

namespace lintra {

LineIndex::LineIndex(TextView content) : size_(content.size()), lineStarts_{0} {
  for (size_t i = 0; i < content.size(); ++i) {
    const bool lineFeed = content[i] == u'\n';
    const bool loneReturn =
        content[i] == u'\r' && (i + 1 >= content.size() || content[i + 1] != u'\n');
    if (lineFeed || loneReturn) lineStarts_.push_back(i + 1);
  }
}

const LineIndex& LineIndexes::Of(const Text& content) {
  auto known = indexes_.find(&content);
  if (known == indexes_.end()) known = indexes_.emplace(&content, LineIndex(content)).first;
  return known->second;
}

LineColumn LineIndex::At(int32_t position) const {
  const size_t offset = std::min(static_cast<size_t>(std::max(position, 1) - 1), size_);
  const auto next = std::upper_bound(lineStarts_.begin(), lineStarts_.end(), offset);
  const auto line = next - lineStarts_.begin();
  return {static_cast<int32_t>(line), static_cast<int32_t>(offset - *(next - 1) + 1)};
}

}  // namespace lintra
