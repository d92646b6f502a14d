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

const std::vector<SourceText::Directive>& SourceText::Directives() const {
  if (!directives_) {
    directives_ = std::make_unique<std::vector<Directive>>(ScanDirectives(*text_));
  }
  return *directives_;
}

const Text& SourceText::IncludePath(size_t index, const Text& folder) const {
  const Directive& directive = Directives()[index];
  resolved_.resize(directives_->size());
  Resolved& resolved = resolved_[index];
  if (directive.Form == Directive::Kind::Virtual) {
    if (!resolved.known) resolved.path = gfsCorrectWebPath(directive.Value);
  } else if (!resolved.known || !text::SameUnits(resolved.folder, folder)) {
    resolved.folder = folder;
    resolved.path = gfsCorrectWebPath(folder + directive.Value);
  }
  resolved.known = true;
  return resolved.path;
}

}  // namespace lintra
