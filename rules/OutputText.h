#pragma once

#include "platform/Text.h"
#include "rules/AspBlocks.h"

namespace lintra {

// Whether `text`, whose layout is `layout`, writes a character beyond ASCII where a reader of the
// response sees it: in its HTML outside comments (<!-- -->, include directives among them), or in
// a string literal of its server code, read as VBScript. What ' and Rem comments of the code hold
// never reaches the response, nor does a leading byte-order mark (U+FEFF) count.
bool ShowsBeyondAscii(TextView text, const AspLayout& layout);

// The end of the VBScript string literal whose text begins at `at`, just after its opening quote,
// in text[..end): just after its closing quote (a doubled quote is one quote of the text), or the
// line break or `end` that cuts it short.
size_t VbStringEnd(TextView text, size_t at, size_t end);

}  // namespace lintra
