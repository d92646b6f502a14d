#include <optional>
#include <string_view>

#include "site/GlobMatch.h"

namespace lintra {

namespace {

// Whether the set that starts after "[" at `pattern[at]` holds `c`; `at` moves past its "]".
// Nothing when the set has no closing "]", and "[" then stands for itself.
std::optional<bool> SetHolds(std::string_view pattern, size_t& at, unsigned char c) {
  size_t i = at;
  const bool negated = i < pattern.size() && (pattern[i] == '!' || pattern[i] == '^');
  if (negated) ++i;
  bool holds = false;
  for (bool first = true; i < pattern.size() && (first || pattern[i] != ']'); first = false) {
    auto low = static_cast<unsigned char>(
        pattern[i] == '\\' && i + 1 < pattern.size() ? pattern[++i] : pattern[i]);
    ++i;
    auto high = low;
    if (i + 1 < pattern.size() && pattern[i] == '-' && pattern[i + 1] != ']') {
      high = static_cast<unsigned char>(pattern[i + 1]);
      i += 2;
    }
    holds = holds || (c >= low && c <= high);
  }
  if (i >= pattern.size()) return std::nullopt;
  at = i + 1;
  return holds != negated;
}

bool Matches(std::string_view pattern, std::string_view text) {
  size_t p = 0;
  size_t t = 0;
  // Where to go on after the last "*" when what follows it fails to match.
  size_t starP = std::string_view::npos;
  size_t starT = 0;
  while (t < text.size()) {
    bool step = false;
    size_t next = p + 1;
    if (p < pattern.size()) {
      const char c = pattern[p];
      if (c == '*') {
        starP = ++p;
        starT = t;
        continue;
      }
      if (c == '?') {
        step = true;
      } else if (c == '[') {
        const std::optional<bool> holds =
            SetHolds(pattern, next, static_cast<unsigned char>(text[t]));
        step = holds ? *holds : text[t] == '[';
        if (!holds) next = p + 1;
      } else if (c == '\\' && p + 1 < pattern.size()) {
        step = pattern[p + 1] == text[t];
        next = p + 2;
      } else {
        step = c == text[t];
      }
    }
    if (step) {
      p = next;
      ++t;
    } else if (starP != std::string_view::npos) {
      p = starP;
      t = ++starT;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace

bool GlobMatches(const std::string& pattern, const std::string& text) {
  return Matches(pattern, text);
}

}  // namespace lintra
