#pragma once

#include <cstddef>

namespace lintra {

// One token of a VBScript statement as VbStatements reads it: a word (a name or keyword), a name
// in brackets (its inside), one punctuation character, or anything else (a number, the opening
// quote of a string). Comments, blanks and continuations make no token.
struct VbToken {
  enum class Kind { Word, Bracketed, Punct, Other };
  Kind kind = Kind::Other;
  size_t start = 0;
  size_t length = 0;
};

}  // namespace lintra
