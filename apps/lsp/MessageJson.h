#pragma once

#include <string>

#include "apps/lsp/JsonText.h"

namespace lintra::lsp {

// Parses `body`, the JSON of one message, taking each "\u" escape of a lone surrogate (a high one
// that no low one's escape follows, or a low one that follows no high one) as U+FFFD. An editor
// sends one for a document that holds a broken character, and nlohmann::json refuses the whole
// message for it; U+FFFD is one UTF-16 unit as the surrogate was, so the columns after it stay.
// A discarded value (see Json::is_discarded) when `body` is no JSON.
Json ParseMessage(std::string body);

}  // namespace lintra::lsp
