#include "apps/host/TextDecoding.h"

#include <cstdint>

#include "apps/host/Utf8Escapes.h"

namespace {

constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";

bool StartsWith(std::string_view bytes, std::string_view mark) {
  return bytes.substr(0, mark.size()) == mark;
}

Text DecodeUtf16(std::string_view bytes, bool bigEndian) {
  Text result;
  result.reserve(bytes.size() / 2 + 1);
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto first = static_cast<uint8_t>(bytes[i]);
    const auto second = static_cast<uint8_t>(bytes[i + 1]);
    result.push_back(static_cast<char16_t>(bigEndian ? first << 8 | second : second << 8 | first));
  }
  if (bytes.size() % 2 != 0) result.push_back(EscapedByte(static_cast<uint8_t>(bytes.back())));
  return result;
}

}  // namespace

Text DecodeFileBytes(std::string_view bytes, const CodePage* codePage) {
  if (StartsWith(bytes, "\xFF\xFE")) return DecodeUtf16(bytes.substr(2), false);
  if (StartsWith(bytes, "\xFE\xFF")) return DecodeUtf16(bytes.substr(2), true);
  if (!codePage || IsValidUtf8(bytes)) return DecodeUtf8Escaped(bytes);
  if (StartsWith(bytes, Utf8Mark)) return u'\uFEFF' + codePage->Decode(bytes.substr(3));
  return codePage->Decode(bytes);
}
