#include "apps/host/TextDecoding.h"

#include <array>
#include <cstdint>
#include <optional>

namespace {

constexpr char16_t Replacement = u'\uFFFD';

// Windows-1252 for bytes 0x80 to 0x9F; the five bytes it leaves undefined keep their own value,
// as the platform's converter maps them.
constexpr std::array<char16_t, 32> Windows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

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
  if (bytes.size() % 2 != 0) result.push_back(Replacement);
  return result;
}

Text DecodeWindows1252(std::string_view bytes) {
  Text result(bytes.size(), u'\0');
  for (size_t i = 0; i < bytes.size(); ++i) {
    const auto unit = static_cast<uint8_t>(bytes[i]);
    result[i] =
        unit >= 0x80 && unit <= 0x9F ? Windows1252High[unit - 0x80] : static_cast<char16_t>(unit);
  }
  return result;
}

// Length of the UTF-8 sequence that starts with `lead`, 0 when it cannot start one.
int SequenceLength(uint8_t lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

// The code point of one well-formed sequence of `length` bytes at `at`, or nothing for
// continuation bytes out of place, overlong forms, surrogates and values above U+10FFFF.
std::optional<char32_t> DecodeSequence(std::string_view bytes, size_t at, int length) {
  if (at + length > bytes.size()) return std::nullopt;
  const auto lead = static_cast<uint8_t>(bytes[at]);
  char32_t point = length == 1 ? lead : lead & (0x7F >> length);
  for (int i = 1; i < length; ++i) {
    const auto next = static_cast<uint8_t>(bytes[at + i]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    point = point << 6 | (next & 0x3F);
  }
  constexpr char32_t Smallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (point < Smallest[length] || point > 0x10FFFF) return std::nullopt;
  if (point >= 0xD800 && point <= 0xDFFF) return std::nullopt;
  return point;
}

// Writes `point` at `out[at]` as one or two units and returns the position after it.
size_t PutCodePoint(Text& out, size_t at, char32_t point) {
  if (point < 0x10000) {
    out[at] = static_cast<char16_t>(point);
    return at + 1;
  }
  point -= 0x10000;
  out[at] = static_cast<char16_t>(0xD800 + (point >> 10));
  out[at + 1] = static_cast<char16_t>(0xDC00 + (point & 0x3FF));
  return at + 2;
}

// The text of `bytes` when they are valid UTF-8 throughout, otherwise nothing. No sequence gives
// more units than it has bytes, so the result is written into room made once; runs of ASCII,
// the bulk of a site's files, are copied without decoding.
std::optional<Text> DecodeUtf8(std::string_view bytes) {
  Text result(bytes.size(), u'\0');
  size_t out = 0;
  size_t at = 0;
  while (at < bytes.size()) {
    const auto lead = static_cast<uint8_t>(bytes[at]);
    if (lead < 0x80) {
      result[out++] = lead;
      ++at;
      continue;
    }
    const int length = SequenceLength(lead);
    const std::optional<char32_t> point =
        length == 0 ? std::nullopt : DecodeSequence(bytes, at, length);
    if (!point) return std::nullopt;
    out = PutCodePoint(result, out, *point);
    at += static_cast<size_t>(length);
  }
  result.resize(out);
  return result;
}

}  // namespace

Text DecodeFileBytes(std::string_view bytes) {
  if (StartsWith(bytes, "\xFF\xFE")) return DecodeUtf16(bytes.substr(2), false);
  if (StartsWith(bytes, "\xFE\xFF")) return DecodeUtf16(bytes.substr(2), true);
  if (StartsWith(bytes, "\xEF\xBB\xBF")) bytes.remove_prefix(3);
  std::optional<Text> utf8 = DecodeUtf8(bytes);
  return utf8 ? std::move(*utf8) : DecodeWindows1252(bytes);
}
