#include "apps/lintra/Nearest.h"

#include <algorithm>

namespace lintra {

namespace {

// The edit distance of `a` and `b` in which swapping two neighbouring letters is one edit.
size_t Edits(std::string_view a, std::string_view b) {
  std::vector<std::vector<size_t>> d(a.size() + 1, std::vector<size_t>(b.size() + 1));
  for (size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
  for (size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    for (size_t j = 1; j <= b.size(); ++j) {
      const size_t change = a[i - 1] == b[j - 1] ? 0 : 1;
      d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + change});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
      }
    }
  }
  return d[a.size()][b.size()];
}

}  // namespace

std::string Nearest(std::string_view word, const std::vector<std::string>& known) {
  std::string nearest;
  size_t best = std::max<size_t>(1, word.size() / 3) + 1;
  for (const std::string& candidate : known) {
    const size_t edits = Edits(word, candidate);
    if (edits > 0 && edits < best) {
      best = edits;
      nearest = candidate;
    }
  }
  return nearest;
}

}  // namespace lintra
