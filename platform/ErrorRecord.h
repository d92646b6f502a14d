#pragma once

#include <cstdint>
#include <exception>
#include <string>

#include "platform/Text.h"

namespace lintra {

// What a run-time error carries from where it arises to where it is handled.
struct ErrorRecord {
  int32_t Number = 0;
  Text Source;
  Text Description;
  Text HelpFile;
  int32_t HelpContext = 0;
};

// The numbers the platform itself raises, with its classic descriptions.
namespace ErrorNumber {
constexpr int32_t InvalidCall = 5;          // "Invalid procedure call or argument"
constexpr int32_t Overflow = 6;             // "Overflow"
constexpr int32_t OutOfMemory = 7;          // "Out of memory"
constexpr int32_t SubscriptOutOfRange = 9;  // "Subscript out of range"
constexpr int32_t TypeMismatch = 13;        // "Type mismatch"
constexpr int32_t ObjectNotSet = 91;        // "Object variable or With block variable not set"
}  // namespace ErrorNumber

// The exception that carries an error record through C++ code. Unexpected run-time errors are
// raised as this; hosts catch it from the control's entries.
class RuntimeError : public std::exception {
 public:
  explicit RuntimeError(ErrorRecord record);
  const ErrorRecord& Record() const { return record_; }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  ErrorRecord record_;
  std::string message_;
};

// Raises a platform error with its classic description and the library's name as source.
[[noreturn]] void RaisePlatformError(int32_t number);

// Raises an error with the given number, source and description and no help.
[[noreturn]] void RaiseError(int32_t number, Text source, Text description);

// The error record for the exception being handled: a RuntimeError's own record, otherwise the
// platform error that matches the C++ failure (out of memory, out of range, invalid argument).
ErrorRecord CurrentErrorRecord(std::exception_ptr error);

}  // namespace lintra
