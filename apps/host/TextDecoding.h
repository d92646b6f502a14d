#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "analysis/SourceText.h"
#include "apps/host/CodePage.h"
#include "platform/Text.h"
#include "platform/Utf8.h"

namespace lintra {

// Turns the bytes of a file on disk into the control's text without losing any of them. A file
// that starts with a UTF-16 byte-order mark (little or big endian) is UTF-16; the mark is
// dropped, and an odd last byte is kept as its escape. Any other file is UTF-8 wherever its bytes
// are valid UTF-8, and each byte that is not is kept as its escape (see platform/Utf8.h); a UTF-8
// byte-order mark stays in the text as U+FEFF. With a `codePage`, a file that is not valid UTF-8
// throughout is decoded from that code page instead, after a UTF-8 mark kept as U+FEFF.
Text DecodeFileBytes(std::string_view bytes, const CodePage* codePage = nullptr);

// What `bytes`, a whole file, are: UTF-16 (by its mark) and anything that is not valid UTF-8 are
// Other; a UTF-8 mark is noted and left out of the encoding.
TextBytes BytesOf(std::string_view bytes);

// Decodes a file without a code page as DecodeFileBytes does, from its bytes in pieces as they are
// read, so that the bytes of a large file are never held whole beside its text.
class FileDecoder {
 public:
  // `expectedBytes`, the file's size, sizes the text once.
  explicit FileDecoder(std::uintmax_t expectedBytes) : expectedBytes_(expectedBytes) {}

  // Takes the next piece of the file.
  void Add(std::string_view bytes);
  // The text of all the pieces; call once, after the last.
  Text Finish();
  // What the pieces were (see BytesOf); valid after Finish.
  const TextBytes& Bytes() const { return bytes_; }

 private:
  enum class Form { Unknown, Utf8, Utf16Little, Utf16Big };
  void Decode(std::string_view bytes, bool final);

  std::uintmax_t expectedBytes_;
  Form form_ = Form::Unknown;
  // Bytes not decoded yet: the first byte while the form is unknown, or a cut sequence.
  std::string pending_;
  Text text_;
  text::Utf8Seen seen_;
  TextBytes bytes_;
};

}  // namespace lintra
