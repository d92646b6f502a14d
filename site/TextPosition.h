#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "platform/Text.h"

namespace lintra {

// A place in a text as editors show it, both counted from 1.
struct LineColumn {
  int32_t line = 1;
  int32_t column = 1;
};

// Where the lines of one text begin, so that many positions in it are placed quickly. CR LF, LF
// and a lone CR each end a line; columns count UTF-16 units. A byte-order mark that the text
// begins with is no column: editors never show it (VS Code keeps it out of the document's text,
// microsoft/vscode#59732), so line 1 starts after it.
class LineIndex {
 public:
  explicit LineIndex(TextView content);

  // The line and column of the 1-based `position`. Positions past the end count as just after
  // the end; the byte-order mark is at 1:1, as the character after it.
  LineColumn At(int32_t position) const;
  // The same for `position`, at or after `from`, which is at `fromAt`: without a search when
  // both lie on one line, as the two ends of most directives do.
  LineColumn After(int32_t from, LineColumn fromAt, int32_t position) const;

  // The stretch of `content`, the text this indexes, that line `line` (from 1) holds, without its
  // line break or a leading byte-order mark: [begin, end) in 0-based offsets. A line past the
  // last is empty, at the end.
  struct Span {
    size_t begin = 0;
    size_t end = 0;
  };
  Span Line(TextView content, int32_t line) const;

 private:
  // The 0-based offset of the 1-based `position`, at most the end.
  size_t Offset(int32_t position) const;

  size_t size_;
  // Where line 1's first column is: 1 after a byte-order mark, else 0.
  size_t firstColumn_;
  std::vector<size_t> lineStarts_;
  // For each stretch of 2^BlockShift units from the start of the text, how many lines start at or
  // before its first unit: a position is looked for only among the lines that start in its own
  // stretch, not among all the lines of a long page.
  static constexpr size_t BlockShift = 8;
  std::vector<uint32_t> blockLines_;
};

// The line indexes of many texts, each built on first use and kept, so that a file shown by
// many nodes of many pages is indexed once. Texts are known by their address: they must stay
// alive and unchanged while their index is kept, as the included files of one run are. A page's
// own text lives only as long as its page: forget it when the page is done.
class LineIndexes {
 public:
  const LineIndex& Of(const Text& content);
  void Forget(const Text& content) { indexes_.erase(&content); }

 private:
  std::unordered_map<const Text*, LineIndex> indexes_;
};

}  // namespace lintra
