#include "site/MatchList.h"

#include <cstdint>

namespace lintra {

TextArray MatchList(const std::vector<Text>& webPaths) {
  const auto rows = static_cast<int32_t>(webPaths.size());
  TextArray matches(0, rows - 1, 0, 1);
  for (int32_t row = 0; row < rows; ++row) {
    matches.At(row, 1) = text::UCase(webPaths[static_cast<size_t>(row)]);
  }
  return matches;
}

}  // namespace lintra
