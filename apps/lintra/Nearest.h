#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lintra {

// The word of `known` that `word` most likely misspells: the one fewest single-letter edits away
// (insertions, deletions, substitutions, swaps of two neighbours), if it is at most a third of
// its length away, and at least one edit; empty when no word is that near.
std::string Nearest(std::string_view word, const std::vector<std::string>& known);

}  // namespace lintra
