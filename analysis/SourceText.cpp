#include "analysis/SourceText.h"

#include "analysis/DirectiveScanner.h"
#include "analysis/LintraFuncs.h"

namespace lintra {

TextBytes Utf8TextBytes(TextView text) {
  const bool mark = text::ByteOrderMarkLength(text) == 1;
  TextBytes::Encoding encoding = TextBytes::Encoding::Ascii;
  for (size_t at = mark ? 1 : 0; at < text.size(); ++at) {
    const char16_t unit = text[at];
    if (unit >= 0xDC80 && unit <= 0xDCFF) return {TextBytes::Encoding::Other, mark};
    if (unit >= 0x80) encoding = TextBytes::Encoding::Utf8;
    // The second half of a surrogate pair is part of a character, never an escape.
    if (unit >= 0xD800 && unit <= 0xDBFF) ++at;
  }
  return {encoding, mark};
}

Text SourceText::IncludePath(size_t index, const Text& folder) const {
  const Directive& directive = directives_[index];
  if (directive.Form == Directive::Kind::Virtual) return gfsCorrectWebPath(directive.Value);
  return gfsCorrectWebPath(folder + directive.Value);
}

}  // namespace lintra
