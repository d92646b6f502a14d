#include "apps/lintra/TextPosition.h"

#include <algorithm>

LineColumn LineColumnOf(TextView content, int32_t position) {
  const size_t before = std::min(static_cast<size_t>(std::max(position, 1) - 1), content.size());
  LineColumn at;
  size_t lineStart = 0;
  for (size_t i = 0; i < before; ++i) {
    const bool lineFeed = content[i] == u'\n';
    const bool loneReturn =
        content[i] == u'\r' && (i + 1 >= content.size() || content[i + 1] != u'\n');
    if (lineFeed || loneReturn) {
      ++at.line;
      lineStart = i + 1;
    }
  }
  at.column = static_cast<int32_t>(before - lineStart + 1);
  return at;
}
