#include <windows.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <optional>
#include <stdexcept>

#include "apps/host/CodePage.h"
#include "platform/Utf8.h"

namespace lintra {

namespace {

// The code pages known by a name rather than their number.
struct NamedCodePage {
  const char* name;
  UINT number;
};
constexpr NamedCodePage NamedCodePages[] = {
    {"shift_jis", 932},      {"sjis", 932},     {"gbk", 936},      {"gb2312", 936},
    {"ks_c_5601-1987", 949}, {"euc-kr", 949},   {"uhc", 949},      {"big5", 950},
    {"latin1", 28591},       {"koi8-r", 20866}, {"koi8-u", 21866}, {"euc-jp", 20932},
    {"gb18030", 54936},
};

// The number that `name` ends in after `prefix`, or 0.
UINT NumberAfter(const std::string& name, std::string_view prefix) {
  if (!name.starts_with(prefix)) return 0;
  UINT number = 0;
  const char* end = name.data() + name.size();
  const auto [at, error] = std::from_chars(name.data() + prefix.size(), end, number);
  return error == std::errc() && at == end ? number : 0;
}

// The Windows code page that `name` means: one of NamedCodePages, "windows-N", "cpN", "ibmN" or
// "iso-8859-N", without regard to letter case; 0 for none.
UINT CodePageNumber(std::string name) {
  std::transform(name.begin(), name.end(), name.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  for (const NamedCodePage& known : NamedCodePages) {
    if (name == known.name) return known.number;
  }
  if (const UINT part = NumberAfter(name, "iso-8859-"); part >= 1 && part <= 15)
    return 28590 + part;
  for (const std::string_view prefix : {"windows-", "cp", "ibm"}) {
    if (const UINT number = NumberAfter(name, prefix)) return number;
  }
  return 0;
}

// `bytes` decoded whole, or nothing when a byte sequence is not valid in `codePage`.
std::optional<std::wstring> DecodeStrictly(UINT codePage, std::string_view bytes) {
  const int size = static_cast<int>(bytes.size());
  const int units =
      MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
  if (units <= 0) return std::nullopt;
  std::wstring wide(static_cast<size_t>(units), L'\0');
  MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), size, wide.data(), units);
  return wide;
}

}  // namespace

struct CodePage::Converter {
  UINT number;
};

CodePage::CodePage(const std::string& name)
    : name_(name), converter_(std::make_unique<Converter>(Converter{CodePageNumber(name)})) {
  if (converter_->number == 0 || !IsValidCodePage(converter_->number)) {
    throw std::invalid_argument("unknown encoding " + name);
  }
}

CodePage::~CodePage() = default;

Text CodePage::Decode(std::string_view bytes) const {
  if (bytes.empty()) return {};
  if (const auto whole = DecodeStrictly(converter_->number, bytes)) {
    return Text(whole->begin(), whole->end());
  }
  // Some sequence is not valid: take the shortest sequence that is a character at each place
  // (at most four bytes), and keep a byte that starts none as its escape.
  Text text;
  text.reserve(bytes.size());
  for (size_t at = 0; at < bytes.size();) {
    size_t length = 1;
    std::optional<std::wstring> character;
    for (; length <= std::min<size_t>(4, bytes.size() - at); ++length) {
      if ((character = DecodeStrictly(converter_->number, bytes.substr(at, length)))) break;
    }
    if (character) {
      text.append(character->begin(), character->end());
      at += length;
    } else {
      text.push_back(text::EscapedByte(static_cast<unsigned char>(bytes[at])));
      ++at;
    }
  }
  return text;
}

}  // namespace lintra
