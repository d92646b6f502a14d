#include "platform/Text.h"

#include <array>
#include <cstring>
#include <iterator>
#include <locale>
#include <memory>

namespace lintra {

namespace text {

int32_t InStr(int32_t start, TextView hay, TextView needle) {
  if (start < 1) start = 1;
  const size_t from = static_cast<size_t>(start - 1);
  if (from > hay.size()) return 0;
  const size_t at = hay.find(needle, from);
  return at == TextView::npos ? 0 : static_cast<int32_t>(at + 1);
}

Text Mid(TextView t, int32_t start, int32_t length) {
  if (start < 1) start = 1;
  if (length <= 0 || static_cast<size_t>(start - 1) >= t.size()) return Text();
  return Text(t.substr(static_cast<size_t>(start - 1), static_cast<size_t>(length)));
}

Text Mid(TextView t, int32_t start) {
  if (start < 1) start = 1;
  if (static_cast<size_t>(start - 1) >= t.size()) return Text();
  return Text(t.substr(static_cast<size_t>(start - 1)));
}

Text Left(TextView t, int32_t length) {
  if (length <= 0) return Text();
  return Text(t.substr(0, static_cast<size_t>(length)));
}

size_t FindAscii(TextView view, size_t from, char16_t unit) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(view.data());
  const size_t size = view.size() * sizeof(char16_t);
  for (size_t at = from * sizeof(char16_t); at < size;) {
    const void* hit = std::memchr(bytes + at, unit, size - at);
    if (!hit) return TextView::npos;
    const auto offset = static_cast<size_t>(static_cast<const unsigned char*>(hit) - bytes);
    if (view[offset / sizeof(char16_t)] == unit) return offset / sizeof(char16_t);
    at = offset + 1;
  }
  return TextView::npos;
}

Text Replace(TextView t, char16_t from, char16_t to) {
  Text result(t);
  for (char16_t& unit : result) {
    if (unit == from) unit = to;
  }
  return result;
}

namespace {

// The upper-case table for the whole basic plane, built once from the C.UTF-8 locale's ctype
// facet. The process's global locale is never consulted, so hosts cannot change the result.
class UpperTable {
 public:
  UpperTable() {
    std::locale utf8 = LoadLocale();
    const auto& ctype = std::use_facet<std::ctype<wchar_t>>(utf8);
    for (uint32_t unit = 0; unit < table_.size(); ++unit) {
      table_[unit] = static_cast<char16_t>(unit);
      if (unit >= 0xD800 && unit <= 0xDFFF) continue;
      const wchar_t upper = ctype.toupper(static_cast<wchar_t>(unit));
      const auto mapped = static_cast<uint32_t>(upper);
      if (mapped <= 0xFFFF && !(mapped >= 0xD800 && mapped <= 0xDFFF)) {
        table_[unit] = static_cast<char16_t>(mapped);
      }
    }
  }
  char16_t operator[](char16_t unit) const { return table_[unit]; }

 private:
  static std::locale LoadLocale() {
    try {
      return std::locale("C.UTF-8");
    } catch (const std::runtime_error&) {
      return std::locale::classic();
    }
  }
  std::array<char16_t, 0x10000> table_{};
};

const UpperTable& Upper() {
  static const auto table = std::make_unique<UpperTable>();
  return *table;
}

}  // namespace

char16_t UCaseWideUnit(char16_t unit) {
  return Upper()[unit];
}

Text UCase(TextView t) {
  Text result;
  UCaseInto(t, result);
  return result;
}

void UCaseInto(TextView t, Text& out) {
  out.assign(t);
  for (char16_t& unit : out) unit = UCaseUnit(unit);
}

namespace {

// The four units of `word` upper-cased as UCaseUnit does; all four are below U+0080. A unit from
// "a" to "z" is the one lane where adding 0x1F reaches 0x80 and adding 5 does not.
uint64_t UpperAscii(uint64_t word) {
  constexpr uint64_t lanes = 0x0001000100010001u;
  const uint64_t fromA = word + 0x1F * lanes;
  const uint64_t pastZ = word + 5 * lanes;
  return word - ((fromA & ~pastZ & 0x80 * lanes) >> 2);
}

}  // namespace

size_t HashIgnoringCase(TextView path) {
  constexpr uint64_t prime = 1099511628211u;
  uint64_t hash = 14695981039346656037u;
  size_t at = 0;
  for (; at + 4 <= path.size(); at += 4) {
    uint64_t word;
    std::memcpy(&word, path.data() + at, sizeof word);
    if (word & 0xFF80FF80FF80FF80u) {
      word = 0;
      for (size_t k = 0; k < 4; ++k) word |= uint64_t{UCaseUnit(path[at + k])} << (16 * k);
    } else {
      word = UpperAscii(word);
    }
    hash = (hash ^ word) * prime;
  }
  for (; at < path.size(); ++at) hash = (hash ^ UCaseUnit(path[at])) * prime;
  return hash ^ (hash >> 32);
}

bool SameIgnoringCase(TextView a, TextView b) {
  if (a.size() != b.size()) return false;
  if (SameUnits(a, b)) return true;
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i] != b[i] && UCaseUnit(a[i]) != UCaseUnit(b[i])) return false;
  }
  return true;
}

Text Concat(std::initializer_list<TextView> pieces) {
  size_t size = 0;
  for (const TextView piece : pieces) size += piece.size();
  Text joined;
  joined.reserve(size);
  for (const TextView piece : pieces) joined += piece;
  return joined;
}

Text FromNumber(int64_t n) {
  char16_t digits[24];
  char16_t* start = std::end(digits);
  uint64_t rest = n < 0 ? 0 - static_cast<uint64_t>(n) : static_cast<uint64_t>(n);
  do {
    *--start = static_cast<char16_t>(u'0' + rest % 10);
    rest /= 10;
  } while (rest != 0);
  if (n < 0) *--start = u'-';
  return Text(start, std::end(digits));
}

}  // namespace text

}  // namespace lintra
