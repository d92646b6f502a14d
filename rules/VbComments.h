#pragma once

#include <cstddef>

#include "platform/Text.h"
#include "rules/VbToken.h"

namespace lintra {

// The length of the word Rem.
inline constexpr size_t VbRemLength = 3;

// Whether the word Rem, which begins a comment, stands at `at` in text[..end). It does wherever a
// keyword may stand, so after a statement too (as VBScript's scanner reads it, although the
// language reference asks for a ":" before it), but not as a member after ".". Inline: the scanner
// asks at every "r" of the code it passes over.
inline bool VbRemAt(TextView text, size_t at, size_t end) {
  if (at > 0 && IsVbWordUnit(text[at - 1])) return false;
  if (at + VbRemLength > end || text::LowerAscii(text[at]) != u'r' ||
      text::LowerAscii(text[at + 1]) != u'e' || text::LowerAscii(text[at + 2]) != u'm') {
    return false;
  }
  if (at + VbRemLength < end && IsVbWordUnit(text[at + VbRemLength])) return false;
  size_t before = at;
  while (before > 0 && (text[before - 1] == u' ' || text[before - 1] == u'\t')) --before;
  return before == 0 || text[before - 1] != u'.';
}

// Whether `at` in `text` stands in a comment (' or Rem) or a string literal of the VBScript code
// read from `begin`, where a line of it starts. A comment holds what follows its ' or the blank
// after its Rem; a string holds what follows its opening quote up to its closing one. Both end
// with their line, and a bracketed name holds neither.
bool VbCommentOrStringHolds(TextView text, size_t begin, size_t at);

}  // namespace lintra
