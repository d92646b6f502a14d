#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "apps/lsp/JsonText.h"
#include "apps/lsp/Protocol.h"

namespace lintra::lsp {

// The protocol's array of locations written directly as JSON text, for answers that name
// thousands of places: made into nlohmann::json values first, they cost several times as much
// as finding the places. The text is what nlohmann::json writes of the same array.
class LocationList {
 public:
  // A list with room for about `expected` locations.
  explicit LocationList(size_t expected);

  // Adds the place at `range` in the file whose URI is `uri` (not yet escaped).
  void Add(std::string_view uri, const ProtocolRange& range);
  // The array of the locations added, taking them.
  JsonText Take() &&;

 private:
  void AddNumber(int32_t number);

  std::string text_;
  bool empty_ = true;
};

}  // namespace lintra::lsp
