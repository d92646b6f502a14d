#include "rules/ScriptWords.h"

#include <algorithm>

#include "rules/VbToken.h"

namespace lintra {

std::vector<Text> ScriptWords(TextView text, const std::vector<TextStretch>& stretches) {
  std::vector<Text> words;
  for (const TextStretch& stretch : stretches) {
    size_t at = stretch.begin;
    while (at < stretch.end) {
      if (!IsVbWordUnit(text[at])) {
        ++at;
        continue;
      }
      const size_t start = at;
      while (at < stretch.end && IsVbWordUnit(text[at])) ++at;
      if (IsVbLetter(text[start]) || text[start] == u'_') {
        words.push_back(text::UCase(text.substr(start, at - start)));
      }
    }
  }
  std::sort(words.begin(), words.end());
  words.erase(std::unique(words.begin(), words.end()), words.end());
  return words;
}

}  // namespace lintra
