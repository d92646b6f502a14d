#include "apps/host/TextDecoding.h"

#include <algorithm>
#include <cstdint>

#include "platform/Utf8.h"

namespace lintra {

namespace {

constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";

bool StartsWith(std::string_view bytes, std::string_view mark) {
  return bytes.substr(0, mark.size()) == mark;
}

// Appends the whole units of `bytes`, UTF-16 in the given byte order; when `final`, an odd last
// byte as its escape. Returns how many bytes it took.
size_t DecodeUtf16Into(std::string_view bytes, bool bigEndian, bool final, Text& out) {
  size_t at = 0;
  for (; at + 1 < bytes.size(); at += 2) {
    const auto first = static_cast<uint8_t>(bytes[at]);
    const auto second = static_cast<uint8_t>(bytes[at + 1]);
    out.push_back(static_cast<char16_t>(bigEndian ? first << 8 | second : second << 8 | first));
  }
  if (final && at < bytes.size())
    out.push_back(text::EscapedByte(static_cast<uint8_t>(bytes[at++])));
  return at;
}

}  // namespace

TextBytes BytesOf(std::string_view bytes) {
  if (StartsWith(bytes, "\xFF\xFE") || StartsWith(bytes, "\xFE\xFF")) {
    return {TextBytes::Encoding::Other, false};
  }
  const bool mark = StartsWith(bytes, Utf8Mark);
  if (mark) bytes.remove_prefix(Utf8Mark.size());
  if (!text::IsValidUtf8(bytes)) return {TextBytes::Encoding::Other, mark};
  const bool ascii = std::all_of(bytes.begin(), bytes.end(),
                                 [](char byte) { return static_cast<uint8_t>(byte) < 0x80; });
  return {ascii ? TextBytes::Encoding::Ascii : TextBytes::Encoding::Utf8, mark};
}

Text DecodeFileBytes(std::string_view bytes, const CodePage* codePage) {
  if (!codePage || StartsWith(bytes, "\xFF\xFE") || StartsWith(bytes, "\xFE\xFF") ||
      text::IsValidUtf8(bytes)) {
    FileDecoder decoder(bytes.size());
    decoder.Add(bytes);
    return decoder.Finish();
  }
  if (StartsWith(bytes, Utf8Mark)) return u'\uFEFF' + codePage->Decode(bytes.substr(3));
  return codePage->Decode(bytes);
}

void FileDecoder::Add(std::string_view bytes) {
  if (pending_.empty()) return Decode(bytes, false);
  std::string joined = std::move(pending_);
  joined.append(bytes);
  Decode(joined, false);
}

Text FileDecoder::Finish() {
  const std::string rest = std::move(pending_);
  Decode(rest, true);
  bytes_ = {TextBytes::Encoding::Other, false};
  if (form_ == Form::Utf8) {
    // A mark decodes to a leading U+FEFF, one of the wide characters but not counted.
    bytes_.utf8Mark = text::ByteOrderMarkLength(text_) == 1;
    if (!seen_.escaped) {
      const bool wide = seen_.wide > (bytes_.utf8Mark ? 1u : 0u);
      bytes_.encoding = wide ? TextBytes::Encoding::Utf8 : TextBytes::Encoding::Ascii;
    }
  }
  return std::move(text_);
}

void FileDecoder::Decode(std::string_view bytes, bool final) {
  if (form_ == Form::Unknown) {
    if (bytes.size() < 2 && !final) {
      pending_.assign(bytes);
      return;
    }
    form_ = StartsWith(bytes, "\xFF\xFE")   ? Form::Utf16Little
            : StartsWith(bytes, "\xFE\xFF") ? Form::Utf16Big
                                            : Form::Utf8;
    if (form_ != Form::Utf8) bytes.remove_prefix(2);
    text_.reserve(form_ == Form::Utf8 ? expectedBytes_ : expectedBytes_ / 2);
  }
  const size_t used = form_ == Form::Utf8
                          ? text::FromUtf8Into(bytes, final, text_, seen_)
                          : DecodeUtf16Into(bytes, form_ == Form::Utf16Big, final, text_);
  pending_.assign(bytes.substr(used));
}

}  // namespace lintra
