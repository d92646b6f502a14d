#include "apps/lintra/Markup.h"

#include <cstdio>

namespace lintra {

std::string HtmlEscaped(std::string_view text) {
  std::string escaped;
  AppendHtmlEscaped(escaped, text);
  return escaped;
}

void AppendHtmlEscaped(std::string& out, std::string_view text) {
  out.reserve(out.size() + text.size());
  size_t run = 0;
  for (size_t at = 0; at < text.size(); ++at) {
    const char* escape = nullptr;
    switch (text[at]) {
      case '&':
        escape = "&amp;";
        break;
      case '<':
        escape = "&lt;";
        break;
      case '>':
        escape = "&gt;";
        break;
      case '"':
        escape = "&quot;";
        break;
      case '\'':
        escape = "&#39;";
        break;
      default:
        continue;
    }
    out.append(text.substr(run, at - run));
    out += escape;
    run = at + 1;
  }
  out.append(text.substr(run));
}

void AppendJsonString(std::string& out, std::string_view text) {
  out += '"';
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20 || c == '<' || c == '>' || c == '&') {
      char escape[7];
      std::snprintf(escape, sizeof escape, "\\u%04x", byte);
      out += escape;
    } else {
      out += c;
    }
  }
  out += '"';
}

}  // namespace lintra
