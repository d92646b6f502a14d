#pragma once

#include <algorithm>
#include <cstddef>
#include <iterator>

#include "platform/Text.h"

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

// Whether `unit` may begin a VBScript name: an ASCII letter, or any unit beyond ASCII.
inline bool IsVbLetter(char16_t unit) {
  return (unit >= u'a' && unit <= u'z') || (unit >= u'A' && unit <= u'Z') || unit >= 0x80;
}

// Whether `unit` may stand in a VBScript name: a letter (see IsVbLetter), a digit or "_".
inline bool IsVbWordUnit(char16_t unit) {
  return IsVbLetter(unit) || (unit >= u'0' && unit <= u'9') || unit == u'_';
}

// Whether `token`, read from `text`, is the word `lowerWord` (written in lower case) in any letter
// case.
inline bool IsWord(TextView text, const VbToken& token, TextView lowerWord) {
  return token.kind == VbToken::Kind::Word &&
         text::SameAsciiWord(text.substr(token.start, token.length), lowerWord);
}

// The first of `entries` whose word, `wordOf(entry)` written in lower case, `token` (read from
// `text`) is in any letter case; or the end of `entries`. A word is passed over by its length and
// first letter before it is compared, so that a statement's first word is looked up among many at
// little cost.
template <class Entries, class WordOf>
auto FindWord(TextView text, const VbToken& token, const Entries& entries, WordOf wordOf) {
  const auto end = std::end(entries);
  if (token.kind != VbToken::Kind::Word || token.length == 0) return end;
  const TextView word = text.substr(token.start, token.length);
  const char16_t letter = text::LowerAscii(word[0]);
  return std::find_if(std::begin(entries), end, [&](const auto& entry) {
    const TextView candidate = wordOf(entry);
    return candidate.size() == word.size() && candidate[0] == letter &&
           text::SameAsciiWord(word, candidate);
  });
}

// Whether `token`, read from `text`, is the punctuation character `unit`.
inline bool IsPunct(TextView text, const VbToken& token, char16_t unit) {
  return token.kind == VbToken::Kind::Punct && text[token.start] == unit;
}

}  // namespace lintra
