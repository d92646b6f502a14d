#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "analysis/DirectiveScanner.h"
#include "platform/Text.h"

namespace lintra {

// One file's text as the host supplied it, immutable and shared by every node that shows that
// file, together with the include directives a scan finds in it. The scan runs on first use and
// is kept, so a file included a thousand times is scanned once and never copied.
class SourceText {
 public:
  // One include directive found in the text: the comment's span and the file it names.
  using Directive = ScannedDirective;

  explicit SourceText(Text text) : text_(std::move(text)) {}
  SourceText(const SourceText&) = delete;
  SourceText& operator=(const SourceText&) = delete;

  const Text& Value() const { return text_; }

  // The directives in text order; scanned on the first call.
  const std::vector<Directive>& Directives() const;

  // The path that directive `index` (File or Virtual) names for a file whose Path is `folder`,
  // as gfsCorrectWebPath gives it. Remembered for the last folder asked, as a text is nearly
  // always included from the one folder its file lies in.
  const Text& IncludePath(size_t index, const Text& folder) const;

 private:
  struct Resolved {
    bool known = false;
    Text folder;
    Text path;
  };

  Text text_;
  mutable std::unique_ptr<std::vector<Directive>> directives_;
  mutable std::vector<Resolved> resolved_;
};

}  // namespace lintra
