#pragma once

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/Utf8.h"

namespace lintra {

// Text as the whole system sees it: UTF-16 code units, positions 1-based and counted in units,
// lengths and positions held as signed 32-bit numbers. Bytes become text and text bytes through
// the UTF-8 codec of platform/Utf8.h.
using Text = std::u16string;
using TextView = std::u16string_view;

namespace text {

// Length of a text as a 32-bit count. Texts above 2^31 - 1 units are refused where they enter
// the system (the host's file supply), so this never truncates.
inline int32_t Len(TextView t) {
  return static_cast<int32_t>(t.size());
}

// The length of the UTF-8 byte-order mark (U+FEFF) that `t` begins with: 1, or 0 when none. A
// host keeps the mark of a file as that leading unit; it is no character a reader or an editor
// sees.
inline size_t ByteOrderMarkLength(TextView t) {
  return !t.empty() && t[0] == u'\uFEFF' ? 1 : 0;
}

// First position q >= start at which `needle` begins in `hay`, or 0 when there is none. An empty
// needle is found at `start` when that lies within the text or just after it.
int32_t InStr(int32_t start, TextView hay, TextView needle);

// `length` units of `t` from 1-based position `start`: empty for a length of 0 or a start past
// the end; shortened when it would reach past the end. `start` below 1 is treated as 1.
Text Mid(TextView t, int32_t start, int32_t length);

// From `start` to the end of `t`.
Text Mid(TextView t, int32_t start);

// The first `length` units of `t`, or all of it when it is shorter; empty for a length below 1.
Text Left(TextView t, int32_t length);

// Every occurrence of unit `from` replaced by `to`.
Text Replace(TextView t, char16_t from, char16_t to);

// Whether `a` and `b` hold the same units, compared as bytes: for long texts much faster than
// the unit-by-unit comparison of the standard strings.
inline bool SameUnits(TextView a, TextView b) {
  return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(char16_t)) == 0;
}

// Equality by SameUnits and a hash of the units, for hash maps keyed by texts and looked up by
// views.
struct SameUnitsEqual {
  using is_transparent = void;
  bool operator()(TextView a, TextView b) const { return SameUnits(a, b); }
};
struct UnitsHash {
  using is_transparent = void;
  size_t operator()(TextView t) const { return std::hash<TextView>()(t); }
};

// The first position at or after `from` of the ASCII character `unit`, or npos. It runs the C
// library's byte search over the text's storage and checks each hit as a whole unit, so that
// long texts are searched at the speed of memory rather than a unit at a time.
size_t FindAscii(TextView view, size_t from, char16_t unit);

// The position of the last "/" or "\\" in `t`, or npos.
inline size_t FindLastSlash(TextView t) {
  for (size_t at = t.size(); at > 0; --at) {
    if (t[at - 1] == u'/' || t[at - 1] == u'\\') return at - 1;
  }
  return TextView::npos;
}

// The upper case of a unit from U+0080 on, by the table below.
char16_t UCaseWideUnit(char16_t unit);

// Simple uppercase mapping of one UTF-16 unit, by the "C.UTF-8" locale's table. A unit whose
// mapping would leave the basic plane, or a surrogate, stays as it is, so lengths never change.
inline char16_t UCaseUnit(char16_t unit) {
  if (unit >= 0x80) return UCaseWideUnit(unit);
  return (unit >= u'a' && unit <= u'z') ? static_cast<char16_t>(unit - 32) : unit;
}

// The lower case of an ASCII letter; any other unit stays as it is. VBScript's keywords are
// ASCII words, matched in any letter case.
inline char16_t LowerAscii(char16_t unit) {
  return (unit >= u'A' && unit <= u'Z') ? static_cast<char16_t>(unit + 32) : unit;
}

// Whether `piece` is `lowerWord`, an ASCII word written in lower case, in any letter case.
inline bool SameAsciiWord(TextView piece, TextView lowerWord) {
  if (piece.size() != lowerWord.size()) return false;
  for (size_t i = 0; i < piece.size(); ++i) {
    if (LowerAscii(piece[i]) != lowerWord[i]) return false;
  }
  return true;
}

// The text with every unit upper-cased by UCaseUnit.
Text UCase(TextView t);
// The same into `out`, whose room is kept, for callers that upper-case many short texts.
void UCaseInto(TextView t, Text& out);

// A hash of `path` that ignores letter case: texts equal under UCaseUnit hash alike.
size_t HashIgnoringCase(TextView path);

// Whether `a` and `b` are equal under UCaseUnit.
bool SameIgnoringCase(TextView a, TextView b);

// The pieces one after another, in a text sized once.
Text Concat(std::initializer_list<TextView> pieces);

// Decimal digits of a number, with a minus sign when negative and no blanks.
Text FromNumber(int64_t n);

}  // namespace text

}  // namespace lintra
