#pragma once

#include <cstddef>

#include "platform/Text.h"

namespace lintra {

// Whether the word Rem, which begins a comment, stands at `at` in text[..end). It does wherever a
// keyword may stand, so after a statement too (as VBScript's scanner reads it, although the
// language reference asks for a ":" before it), but not as a member after ".".
bool VbRemAt(TextView text, size_t at, size_t end);

// Whether `at` in `text` stands in a comment (' or Rem) or a string literal of the VBScript code
// read from `begin`, where a line of it starts. A comment holds what follows its ' or the blank
// after its Rem; a string holds what follows its opening quote up to its closing one. Both end
// with their line, and a bracketed name holds neither.
bool VbCommentOrStringHolds(TextView text, size_t begin, size_t at);

}  // namespace lintra
