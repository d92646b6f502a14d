#include "site/TextPosition.h"

#include <algorithm>

namespace lintra {

// Finds the line ends a stretch of units at a time: the next LF and the next CR are each looked
// for with memchr, and a CR followed by its LF leaves the line to the LF.
LineIndex::LineIndex(TextView content)
    : size_(content.size()), firstColumn_(text::ByteOrderMarkLength(content)), lineStarts_{0} {
  size_t feed = text::FindAscii(content, 0, u'\n');
  size_t carriage = text::FindAscii(content, 0, u'\r');
  while (feed != TextView::npos || carriage != TextView::npos) {
    if (feed < carriage) {
      lineStarts_.push_back(feed + 1);
      feed = text::FindAscii(content, feed + 1, u'\n');
      continue;
    }
    if (carriage + 1 != feed) lineStarts_.push_back(carriage + 1);
    carriage = text::FindAscii(content, carriage + 1, u'\r');
  }
  const size_t blocks = (size_ >> BlockShift) + 2;
  blockLines_.reserve(blocks);
  size_t line = 0;
  for (size_t block = 0; block < blocks; ++block) {
    while (line < lineStarts_.size() && lineStarts_[line] <= block << BlockShift) ++line;
    blockLines_.push_back(static_cast<uint32_t>(line));
  }
}

const LineIndex& LineIndexes::Of(const Text& content) {
  auto known = indexes_.find(&content);
  if (known == indexes_.end()) known = indexes_.emplace(&content, LineIndex(content)).first;
  return known->second;
}

size_t LineIndex::Offset(int32_t position) const {
  return std::min(static_cast<size_t>(std::max(position, 1) - 1), size_);
}

LineColumn LineIndex::At(int32_t position) const {
  const size_t offset = Offset(position);
  const size_t block = offset >> BlockShift;
  const auto next = std::upper_bound(lineStarts_.begin() + blockLines_[block],
                                     lineStarts_.begin() + blockLines_[block + 1], offset);
  const auto line = next - lineStarts_.begin();
  const size_t begin = line == 1 ? std::min(firstColumn_, offset) : *(next - 1);
  return {static_cast<int32_t>(line), static_cast<int32_t>(offset - begin + 1)};
}

LineColumn LineIndex::After(int32_t from, LineColumn fromAt, int32_t position) const {
  const size_t start = Offset(from);
  const size_t offset = Offset(position);
  const auto nextLine = static_cast<size_t>(fromAt.line);
  const bool sameLine = start >= firstColumn_ && start <= offset &&
                        (nextLine >= lineStarts_.size() || offset < lineStarts_[nextLine]);
  if (!sameLine) return At(position);
  return {fromAt.line, fromAt.column + static_cast<int32_t>(offset - start)};
}

LineIndex::Span LineIndex::Line(TextView content, int32_t line) const {
  const auto index = static_cast<size_t>(std::max(line, 1) - 1);
  if (index >= lineStarts_.size()) return {size_, size_};
  size_t end = index + 1 < lineStarts_.size() ? lineStarts_[index + 1] : size_;
  const size_t begin = index == 0 ? std::min(firstColumn_, end) : lineStarts_[index];
  while (end > begin && (content[end - 1] == u'\n' || content[end - 1] == u'\r')) --end;
  return {begin, end};
}

}  // namespace lintra
