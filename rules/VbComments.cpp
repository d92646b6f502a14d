#include "rules/VbComments.h"

namespace lintra {

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
      // Up to the blank after it, Rem may still be the start of a name being typed.
      return at > i + VbRemLength;
    }
  }
  return inString;
}

}  // namespace lintra
