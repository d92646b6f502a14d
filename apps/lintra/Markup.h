#pragma once

#include <string>
#include <string_view>

namespace lintra {

// UTF-8 `text` with "&", "<", ">", '"' and "'" written as character references, safe in HTML
// text and in quoted attribute values.
std::string HtmlEscaped(std::string_view text);
// Appends HtmlEscaped(text) to `out`.
void AppendHtmlEscaped(std::string& out, std::string_view text);

// Appends UTF-8 `text` to `out` as a JSON string that is safe inside an HTML script element:
// besides quotes, backslashes and control characters, "<", ">" and "&" are written as "\u003c",
// "\u003e" and "\u0026", so that no "</script" or "<!--" ever appears.
void AppendJsonString(std::string& out, std::string_view text);

}  // namespace lintra
