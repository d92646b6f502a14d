#include "apps/lsp/MessageJson.h"

#include <string_view>

namespace lintra::lsp {

namespace {

constexpr size_t EscapeLength = 6;

bool IsHighSurrogate(int unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(int unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

// The UTF-16 unit of the "\u" escape at `at` in `json`, or -1 when no whole one stands there.
int EscapedUnit(std::string_view json, size_t at) {
  if (at + EscapeLength > json.size() || json[at] != '\\' || json[at + 1] != 'u') return -1;
  int unit = 0;
  for (const char digit : json.substr(at + 2, 4)) {
    const int value = digit >= '0' && digit <= '9'   ? digit - '0'
                      : digit >= 'a' && digit <= 'f' ? digit - 'a' + 10
                      : digit >= 'A' && digit <= 'F' ? digit - 'A' + 10
                                                     : -1;
    if (value < 0) return -1;
    unit = unit * 16 + value;
  }
  return unit;
}

// Rewrites every escape of a lone surrogate in `json` as that of U+FFFD, which is as long.
void ReplaceLoneSurrogates(std::string& json) {
  for (size_t at = json.find('\\'); at != std::string::npos; at = json.find('\\', at)) {
    const int unit = EscapedUnit(json, at);
    if (unit < 0) {
      // Another escape, "\\" among them: its second character is no escape's start.
      at += 2;
    } else if (IsHighSurrogate(unit) && IsLowSurrogate(EscapedUnit(json, at + EscapeLength))) {
      at += 2 * EscapeLength;
    } else {
      if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) json.replace(at + 2, 4, "fffd");
      at += EscapeLength;
    }
  }
}

}  // namespace

Json ParseMessage(std::string body) {
  ReplaceLoneSurrogates(body);
  return Json::parse(body, nullptr, false);
}

}  // namespace lintra::lsp
