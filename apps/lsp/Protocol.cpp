#include "apps/lsp/Protocol.h"

#include <algorithm>

namespace lintra::lsp {

namespace {

// Orders 0-based positions.
bool Before(int64_t lineA, int64_t characterA, int64_t lineB, int64_t characterB) {
  return lineA < lineB || (lineA == lineB && characterA < characterB);
}

}  // namespace

ProtocolRange ZeroBased(int32_t line, int32_t column, int32_t endLine, int32_t endColumn) {
  if (line == 0) return {};
  return {std::max(line - 1, 0), std::max(column - 1, 0), std::max(endLine - 1, 0),
          std::max(endColumn - 1, 0)};
}

Json RangeOf(const ProtocolRange& range) {
  return {{"start", {{"line", range.line}, {"character", range.character}}},
          {"end", {{"line", range.endLine}, {"character", range.endCharacter}}}};
}

Json RangeOf(int32_t line, int32_t column, int32_t endLine, int32_t endColumn) {
  return RangeOf(ZeroBased(line, column, endLine, endColumn));
}

Json RangeOf(const Place& place) {
  return RangeOf(place.line, place.column, place.endLine, place.endColumn);
}

Position PositionIn(const Json& params) {
  const Json& position = params.at("position");
  return {position.at("line").get<int64_t>(), position.at("character").get<int64_t>()};
}

bool Contains(int32_t line, int32_t column, int32_t endLine, int32_t endColumn, Position position) {
  const bool afterStart = !Before(position.line, position.character, line - 1, column - 1);
  const bool beforeEnd = !Before(endLine - 1, endColumn - 1, position.line, position.character);
  return afterStart && beforeEnd;
}

}  // namespace lintra::lsp
