#include "apps/lsp/JsonText.h"

#include <algorithm>

namespace lintra::lsp {

namespace {

// Dumps as every message of the server is dumped: compact, UTF-8 kept, invalid UTF-8 replaced.
std::string Dumped(const Json& value) {
  return value.dump(-1, ' ', false, Json::error_handler_t::replace);
}

// Whether `byte` stands for itself inside a JSON string.
bool Plain(char byte) {
  const auto c = static_cast<unsigned char>(byte);
  return c >= 0x20 && c < 0x80 && c != '"' && c != '\\';
}

}  // namespace

JsonText::JsonText(const Json& value) : text_(Dumped(value)) {}

JsonText JsonText::Written(std::string text) {
  JsonText written;
  written.text_ = std::move(text);
  return written;
}

void AppendJsonString(std::string& out, std::string_view value) {
  if (!std::all_of(value.begin(), value.end(), Plain)) {
    out += Dumped(Json(value));
    return;
  }
  out += '"';
  out += value;
  out += '"';
}

}  // namespace lintra::lsp
