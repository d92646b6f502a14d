#pragma once

#include <string>
#include <string_view>

#include "platform/Text.h"

namespace lintra {

// `t` as valid UTF-8 for people to read: every byte that a name or text kept because it was not
// valid UTF-8 is written as "\xNN" (two capital hex digits), any other lone surrogate as U+FFFD.
std::string Readable(TextView t);

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
