#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "analysis/DirectiveScanner.h"
#include "platform/Text.h"

namespace lintra {

// What the supplier of a text knows of the bytes it was decoded from. A supplier that never had
// bytes (an editor buffer, a test) leaves the encoding Unknown.
struct TextBytes {
  enum class Encoding {
    Unknown,
    // Bytes below 0x80 only.
    Ascii,
    // Valid UTF-8 with at least one byte from 0x80.
    Utf8,
    // Anything else: a legacy code page, UTF-16, or broken UTF-8.
    Other,
  };
  Encoding encoding = Encoding::Unknown;
  // Whether the bytes begin with the UTF-8 byte-order mark (not counted in the encoding).
  bool utf8Mark = false;
};

// What a text that the UTF-8 codec decoded (platform/Utf8.h) says of its bytes: an escaped byte
// was not valid UTF-8, and a leading U+FEFF was the UTF-8 mark.
TextBytes Utf8TextBytes(TextView text);

// One file's text as the host supplied it, immutable and shared by every node that shows that
// file, together with the include directives a scan found in it when it was made, so a file
// included a thousand times is scanned once and never copied, and threads may read it at once.
class SourceText {
 public:
  // One include directive found in the text: the comment's span and the file it names.
  using Directive = ScannedDirective;

  explicit SourceText(Text text, TextBytes bytes = {})
      : SourceText(std::make_shared<const Text>(std::move(text)), bytes) {}
  // A text whose units `text` holds, which other SourceTexts may hold too: a host that serves
  // several analyses at once decodes a file once and gives each its own SourceText around it.
  explicit SourceText(std::shared_ptr<const Text> text, TextBytes bytes = {})
      : text_(std::move(text)), bytes_(bytes), directives_(ScanDirectives(*text_)) {}
  SourceText(const SourceText&) = delete;
  SourceText& operator=(const SourceText&) = delete;

  const Text& Value() const { return *text_; }
  // The units of the text, to be shared with another SourceText.
  const std::shared_ptr<const Text>& SharedValue() const { return text_; }
  const TextBytes& Bytes() const { return bytes_; }

  // The directives in text order.
  const std::vector<Directive>& Directives() const { return directives_; }

  // The path that directive `index` (File or Virtual) names for a file whose Path is `folder`,
  // as gfsCorrectWebPath gives it.
  Text IncludePath(size_t index, const Text& folder) const;

 private:
  std::shared_ptr<const Text> text_;
  TextBytes bytes_;
  std::vector<Directive> directives_;
};

}  // namespace lintra
