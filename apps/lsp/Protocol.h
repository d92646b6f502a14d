#pragma once

#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>

#include "apps/lsp/OpenDocuments.h"
#include "rules/RuleFinding.h"

namespace lintra::lsp {

using Json = nlohmann::json;

// The JSON-RPC and protocol error codes the server answers with.
namespace ErrorCode {
constexpr int ParseError = -32700;
constexpr int InvalidRequest = -32600;
constexpr int MethodNotFound = -32601;
constexpr int InvalidParams = -32602;
constexpr int InternalError = -32603;
constexpr int ServerNotInitialized = -32002;
}  // namespace ErrorCode

// A request that cannot be answered: its error code and a message for the user.
class RpcError : public std::runtime_error {
 public:
  RpcError(int code, const std::string& message) : std::runtime_error(message), code_(code) {}
  int Code() const { return code_; }

 private:
  int code_;
};

// A range in the protocol's 0-based lines and characters.
struct ProtocolRange {
  int32_t line = 0;
  int32_t character = 0;
  int32_t endLine = 0;
  int32_t endCharacter = 0;
};

// The protocol's range of a place given in 1-based lines and columns (a line of 0, the file as a
// whole, is the start of the file), and that range as a JSON value.
ProtocolRange ZeroBased(int32_t line, int32_t column, int32_t endLine, int32_t endColumn);
Json RangeOf(const ProtocolRange& range);
Json RangeOf(int32_t line, int32_t column, int32_t endLine, int32_t endColumn);
Json RangeOf(const Place& place);

// The position in `params` ("position"); throws nlohmann::json::exception when it has none.
Position PositionIn(const Json& params);

// Whether the 0-based `position` lies in the range of 1-based lines and columns, its end
// included, so that a cursor just after a directive still counts as on it.
bool Contains(int32_t line, int32_t column, int32_t endLine, int32_t endColumn, Position position);

}  // namespace lintra::lsp
