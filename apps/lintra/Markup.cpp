#include "apps/lintra/Markup.h"

#include <cstdio>

namespace lintra {

namespace {

bool IsEscapedByte(TextView t, size_t at) {
  const char16_t unit = t[at];
  const bool afterHigh = at > 0 && t[at - 1] >= 0xD800 && t[at - 1] <= 0xDBFF;
  return unit >= 0xDC80 && unit <= 0xDCFF && !afterHigh;
}

}  // namespace

std::string Readable(TextView t) {
  std::string readable;
  size_t runStart = 0;
  for (size_t at = 0; at < t.size(); ++at) {
    if (!IsEscapedByte(t, at)) continue;
    readable += text::ToUtf8(t.substr(runStart, at - runStart));
    char escape[5];
    std::snprintf(escape, sizeof escape, "\\x%02X", static_cast<unsigned>(t[at] - 0xDC00));
    readable += escape;
    runStart = at + 1;
  }
  return readable + text::ToUtf8(t.substr(runStart));
}

std::string HtmlEscaped(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      case '\'':
        escaped += "&#39;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

std::string ScriptSafeJson(std::string_view json) {
  std::string safe;
  safe.reserve(json.size());
  for (const char c : json) {
    switch (c) {
      case '<':
        safe += "\\u003c";
        break;
      case '>':
        safe += "\\u003e";
        break;
      case '&':
        safe += "\\u0026";
        break;
      default:
        safe += c;
    }
  }
  return safe;
}

}  // namespace lintra
