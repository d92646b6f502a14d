#include "rules/VbComments.h"

#include "rules/VbToken.h"

namespace lintra {

namespace {

constexpr size_t RemLength = 3;

bool IsBlank(char16_t unit) {
  return unit == u' ' || unit == u'\t';
}

}  // namespace

bool VbRemAt(TextView text, size_t at, size_t end) {
  if (at > 0 && IsVbWordUnit(text[at - 1])) return false;
  if (at + RemLength > end || text::LowerAscii(text[at]) != u'r' ||
      text::LowerAscii(text[at + 1]) != u'e' || text::LowerAscii(text[at + 2]) != u'm') {
    return false;
  }
  if (at + RemLength < end && IsVbWordUnit(text[at + RemLength])) return false;
  size_t before = at;
  while (before > 0 && IsBlank(text[before - 1])) --before;
  return before == 0 || text[before - 1] != u'.';
}

bool VbCommentOrStringHolds(TextView text, size_t begin, size_t at) {
  bool inString = false;
  for (size_t i = begin; i < at; ++i) {
    const char16_t unit = text[i];
    if (unit == u'"') {
      // A doubled quote inside a string closes it and opens it again.
      inString = !inString;
    } else if (inString) {
      continue;
    } else if (unit == u'\'') {
      return true;
    } else if (unit == u'[') {
      while (i + 1 < at && text[i + 1] != u']') ++i;
    } else if (VbRemAt(text, i, text.size())) {
      return at > i + RemLength;
    }
  }
  return inString;
}

}  // namespace lintra
