#include "platform/Utf8.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace lintra {

namespace text {

namespace {

constexpr char16_t EscapeBase = 0xDC00;

// Length of the UTF-8 sequence that starts with `lead`, 0 when it cannot start one.
int SequenceLength(uint8_t lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

// The code point of the well-formed sequence at `at`, or -1 when none starts there: a byte that
// cannot lead, a cut sequence, continuation bytes out of place, overlong forms, surrogates and
// values above U+10FFFF.
int32_t DecodeSequence(std::string_view bytes, size_t at, int& length) {
  length = SequenceLength(static_cast<uint8_t>(bytes[at]));
  if (length == 0 || at + static_cast<size_t>(length) > bytes.size()) return -1;
  const auto lead = static_cast<uint8_t>(bytes[at]);
  int32_t point = length == 1 ? lead : lead & (0x7F >> length);
  for (int i = 1; i < length; ++i) {
    const auto next = static_cast<uint8_t>(bytes[at + static_cast<size_t>(i)]);
    if ((next & 0xC0) != 0x80) return -1;
    point = point << 6 | (next & 0x3F);
  }
  constexpr int32_t Smallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (point < Smallest[length] || point > 0x10FFFF) return -1;
  if (point >= 0xD800 && point <= 0xDFFF) return -1;
  return point;
}

void AppendCodePoint(std::string& out, uint32_t point) {
  if (point < 0x80) {
    out.push_back(static_cast<char>(point));
  } else if (point < 0x800) {
    out += {static_cast<char>(0xC0 | point >> 6), static_cast<char>(0x80 | (point & 0x3F))};
  } else if (point < 0x10000) {
    out += {static_cast<char>(0xE0 | point >> 12), static_cast<char>(0x80 | (point >> 6 & 0x3F)),
            static_cast<char>(0x80 | (point & 0x3F))};
  } else {
    out +=
        {static_cast<char>(0xF0 | point >> 18), static_cast<char>(0x80 | (point >> 12 & 0x3F)),
         static_cast<char>(0x80 | (point >> 6 & 0x3F)), static_cast<char>(0x80 | (point & 0x3F))};
  }
}

// Writes the run of ASCII bytes that starts at `at` to `to` as units, sixteen or eight bytes at a
// time, and returns its length: file texts are mostly ASCII, and this keeps decoding them close
// to a copy.
size_t WidenAsciiRun(std::string_view bytes, size_t at, char16_t* to) {
  const auto* from = reinterpret_cast<const uint8_t*>(bytes.data());
  size_t end = at;
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128();
  for (; end + 16 <= bytes.size(); end += 16) {
    const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + end));
    if (_mm_movemask_epi8(chunk) != 0) break;
    auto* units = reinterpret_cast<__m128i*>(to + (end - at));
    _mm_storeu_si128(units, _mm_unpacklo_epi8(chunk, zero));
    _mm_storeu_si128(units + 1, _mm_unpackhi_epi8(chunk, zero));
  }
#endif
  for (uint64_t word; end + 8 <= bytes.size(); end += 8) {
    std::memcpy(&word, from + end, 8);
    if (word & 0x8080808080808080u) break;
    for (size_t k = 0; k < 8; ++k) to[end - at + k] = from[end + k];
  }
  for (; end < bytes.size() && from[end] < 0x80; ++end) to[end - at] = from[end];
  return end - at;
}

// The length of the run of units below 0x80 that starts at `at`.
size_t AsciiRun(std::u16string_view t, size_t at) {
  size_t end = at;
  for (uint64_t word; end + 4 <= t.size(); end += 4) {
    std::memcpy(&word, t.data() + end, 8);
    if (word & 0xFF80FF80FF80FF80u) break;
  }
  while (end < t.size() && t[end] < 0x80) ++end;
  return end - at;
}

// Whether a surrogate pair, a high surrogate and then a low one, begins at `at` in `t`.
bool PairAt(std::u16string_view t, size_t at) {
  return t[at] >= 0xD800 && t[at] <= 0xDBFF && at + 1 < t.size() && t[at + 1] >= 0xDC00 &&
         t[at + 1] <= 0xDFFF;
}

// Whether `unit`, not part of a pair, is the escape of a byte that was not valid UTF-8.
bool IsEscape(char16_t unit) {
  return unit >= EscapeBase + 0x80 && unit <= EscapeBase + 0xFF;
}

// Writes the `count` units at `units`, all below 0x80, to `to` as bytes.
void NarrowAscii(const char16_t* units, size_t count, char* to) {
  size_t k = 0;
#if defined(__SSE2__)
  for (; k + 16 <= count; k += 16) {
    const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units + k));
    const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units + k + 8));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(to + k), _mm_packus_epi16(low, high));
  }
#endif
  for (; k < count; ++k) to[k] = static_cast<char>(units[k]);
}

// How an encoding writes an escaped byte.
enum class Escapes { AsBytes, AsReplacement, AsHex };

// Appends "\xNN" for the byte that `unit`, an escape, keeps.
void AppendHexEscape(std::string& out, char16_t unit) {
  constexpr char Digits[] = "0123456789ABCDEF";
  const unsigned byte = unit - EscapeBase;
  out += {'\\', 'x', Digits[byte >> 4], Digits[byte & 0xF]};
}

// Appends `t` to `out` as UTF-8; an escaped byte as `escapes` says, every other lone surrogate as
// U+FFFD.
void EncodeInto(std::string& out, std::u16string_view t, Escapes escapes) {
  out.reserve(out.size() + t.size());
  for (size_t i = 0; i < t.size(); ++i) {
    if (const size_t run = AsciiRun(t, i)) {
      const size_t from = out.size();
      out.resize(from + run);
      NarrowAscii(t.data() + i, run, out.data() + from);
      i += run - 1;
      continue;
    }
    const char16_t unit = t[i];
    if (PairAt(t, i)) {
      AppendCodePoint(out, 0x10000 + ((unit - 0xD800u) << 10) + (t[i + 1] - 0xDC00u));
      ++i;
    } else if (escapes == Escapes::AsBytes && IsEscape(unit)) {
      out.push_back(static_cast<char>(unit - EscapeBase));
    } else if (escapes == Escapes::AsHex && IsEscape(unit)) {
      AppendHexEscape(out, unit);
    } else if (unit >= 0xD800 && unit <= 0xDFFF) {
      AppendCodePoint(out, 0xFFFD);
    } else {
      AppendCodePoint(out, unit);
    }
  }
}

std::string Encode(std::u16string_view t, Escapes escapes) {
  std::string out;
  EncodeInto(out, t, escapes);
  return out;
}

// Decodes `bytes` from `at` to `stop` to `to`, as FromUtf8Into does, and returns where it ended:
// past `stop` when a sequence that starts before it ends after it, before it when not `final`
// and the end of `bytes` cuts a sequence short.
size_t DecodeSlice(std::string_view bytes, size_t at, size_t stop, bool final, char16_t*& to,
                   Utf8Seen& seen) {
  const std::string_view slice = bytes.substr(0, stop);
  while (at < stop) {
    const size_t run = WidenAsciiRun(slice, at, to);
    to += run;
    at += run;
    if (at == stop) break;
    const auto lead = static_cast<uint8_t>(bytes[at]);
    if (!final && at + static_cast<size_t>(SequenceLength(lead)) > bytes.size()) break;
    int length = 0;
    const int32_t point = DecodeSequence(bytes, at, length);
    if (point < 0) {
      *to++ = EscapedByte(lead);
      seen.escaped = true;
      ++at;
      continue;
    }
    ++seen.wide;
    if (point < 0x10000) {
      *to++ = static_cast<char16_t>(point);
    } else {
      *to++ = static_cast<char16_t>(0xD800 + ((point - 0x10000) >> 10));
      *to++ = static_cast<char16_t>(0xDC00 + ((point - 0x10000) & 0x3FF));
    }
    at += static_cast<size_t>(length);
  }
  return at;
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
  for (size_t at = 0; at < bytes.size();) {
    if (static_cast<uint8_t>(bytes[at]) < 0x80) {
      ++at;
      continue;
    }
    int length = 0;
    if (DecodeSequence(bytes, at, length) < 0) return false;
    at += static_cast<size_t>(length);
  }
  return true;
}

char16_t EscapedByte(unsigned char byte) {
  return byte < 0x80 ? static_cast<char16_t>(byte) : static_cast<char16_t>(EscapeBase + byte);
}

bool HasEscapedByte(std::u16string_view t) {
  for (size_t at = 0; at < t.size(); ++at) {
    if (PairAt(t, at)) {
      ++at;
    } else if (IsEscape(t[at])) {
      return true;
    }
  }
  return false;
}

size_t FromUtf8Into(std::string_view bytes, bool final, std::u16string& out, Utf8Seen& seen) {
  // A slice at a time through a small buffer, so that the text is written once instead of being
  // filled first. A slice's bytes give at most as many units, and one more for a four-byte
  // sequence that starts at its end.
  constexpr size_t Slice = 2048;
  char16_t units[Slice + 1];
  size_t at = 0;
  while (at < bytes.size()) {
    const size_t stop = std::min(bytes.size(), at + Slice);
    char16_t* to = units;
    const size_t next = DecodeSlice(bytes, at, stop, final, to, seen);
    out.append(units, static_cast<size_t>(to - units));
    if (next < stop) return next;
    at = next;
  }
  return at;
}

std::u16string FromUtf8(std::string_view bytes) {
  std::u16string result;
  Utf8Seen seen;
  FromUtf8Into(bytes, true, result, seen);
  return result;
}

std::string ToBytes(std::u16string_view t) {
  return Encode(t, Escapes::AsBytes);
}

std::string ToUtf8(std::u16string_view t) {
  return Encode(t, Escapes::AsReplacement);
}

void AppendUtf8(std::string& out, std::u16string_view t) {
  EncodeInto(out, t, Escapes::AsReplacement);
}

std::string ToReadable(std::u16string_view t) {
  return Encode(t, Escapes::AsHex);
}

void AppendReadable(std::string& out, std::u16string_view t) {
  EncodeInto(out, t, Escapes::AsHex);
}

}  // namespace text

}  // namespace lintra
