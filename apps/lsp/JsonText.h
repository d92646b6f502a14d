#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

namespace lintra::lsp {

using Json = nlohmann::json;

// A JSON value already written as text, as the server writes every message: what a request's
// answer is made into on its way out, so that an answer of thousands of places can be written
// as text directly rather than built as nlohmann::json values first.
class JsonText {
 public:
  // The text of `value`, strings as AppendJsonString writes them. Implicit: every answer built
  // as a Json value is written so.
  JsonText(const Json& value);
  // Takes `text`, which must be one whole JSON value.
  static JsonText Written(std::string text);

  const std::string& Str() const { return text_; }

 private:
  JsonText() = default;

  std::string text_;
};

// Appends `value` to `out` as a JSON string, as nlohmann::json writes it: quotes, backslashes
// and control characters escaped, other UTF-8 as it is and each invalid byte replaced by U+FFFD.
void AppendJsonString(std::string& out, std::string_view value);

}  // namespace lintra::lsp
