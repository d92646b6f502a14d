#pragma once

#include <cstdint>
#include <variant>

#include "platform/Text.h"

namespace lintra {

// A value that is either a number or a text, as hosts pass indexes to collections. The two are
// never converted into one another: the digit 1 as text is not the number 1.
class Variant {
 public:
  Variant(int32_t number) : value_(number) {}
  Variant(Text text) : value_(std::move(text)) {}
  Variant(const char16_t* text) : value_(Text(text)) {}

  bool IsNumber() const { return std::holds_alternative<int32_t>(value_); }

  // The number; only meaningful when IsNumber().
  int32_t Number() const { return IsNumber() ? std::get<int32_t>(value_) : 0; }

 private:
  std::variant<int32_t, Text> value_;
};

}  // namespace lintra
